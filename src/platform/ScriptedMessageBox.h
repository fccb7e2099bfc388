#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace platform {

// A message box backend for tests: installed while it lives (the previous backend comes back when it
// dies), it records every message and answers from a queue of scripted answers. Once the queue is empty
// it gives the default answer, or each message's own default button when no default answer is set.
class ScriptedMessageBox : public MessageBox::Backend
{
public:
    struct Shown
    {
        QString text;
        QString title;
        MessageBox::Icon icon = MessageBox::NoIcon;
        MessageBox::Buttons buttons;
        MessageBox::Button defaultButton = MessageBox::NoButton;
        MessageBox::Button answer = MessageBox::NoButton;
    };

    ScriptedMessageBox();
    ~ScriptedMessageBox() override;
    ScriptedMessageBox(const ScriptedMessageBox&) = delete;
    ScriptedMessageBox& operator=(const ScriptedMessageBox&) = delete;

    void addAnswer(MessageBox::Button answer);
    void addAnswers(std::initializer_list<MessageBox::Button> answers);
    void setDefaultAnswer(MessageBox::Button answer); // NoButton: each message's default button
    int pendingAnswers() const { return int(m_answers.size()); }

    const QList<Shown>& messages() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const Shown& last() const { return m_shown.last(); }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

    MessageBox::Button ask(const MessageBox::Request& request) override;

private:
    MessageBox::Backend* m_previous = nullptr;
    QQueue<MessageBox::Button> m_answers;
    MessageBox::Button m_defaultAnswer = MessageBox::NoButton;
    QList<Shown> m_shown;
};

} // namespace platform
