#include "platform/ScriptedMessageBox.h"

#include <QDebug>

namespace platform {

ScriptedMessageBox::ScriptedMessageBox() : m_previous(MessageBox::setBackend(this)) {}

ScriptedMessageBox::~ScriptedMessageBox()
{
    // Only hand back if nobody installed another backend over this one in the meantime.
    if (MessageBox::backend() == this)
        MessageBox::setBackend(m_previous);
}

void ScriptedMessageBox::addAnswer(MessageBox::Button answer)
{
    m_answers.enqueue(answer);
}

void ScriptedMessageBox::addAnswers(std::initializer_list<MessageBox::Button> answers)
{
    for (MessageBox::Button a : answers)
        m_answers.enqueue(a);
}

void ScriptedMessageBox::setDefaultAnswer(MessageBox::Button answer)
{
    m_defaultAnswer = answer;
}

QStringList ScriptedMessageBox::texts() const
{
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.text;
    return out;
}

MessageBox::Button ScriptedMessageBox::ask(const MessageBox::Request& request)
{
    MessageBox::Button answer = request.defaultButton;
    if (!m_answers.isEmpty())
        answer = m_answers.dequeue();
    else if (m_defaultAnswer != MessageBox::NoButton)
        answer = m_defaultAnswer;
    if (!request.buttons.testFlag(answer)) {
        // A script that presses a button the message does not offer is a mistake in the test itself.
        qWarning().noquote() << "ScriptedMessageBox: answer" << MessageBox::buttonName(answer)
                             << "is not offered by the message" << request.text;
    }
    m_shown.append({request.text, request.title, request.icon, request.buttons, request.defaultButton, answer});
    return answer;
}

} // namespace platform
