#pragma once

#include "editing/EditMessages.h"

#include <QString>

#include <optional>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

// What the editing dialogs share: their size and buttons, and the answer a name dialog's OK gets.
namespace editing {

// The editors' inner area, 5655 x 2460 twips, at the program's 15 twips per pixel; it grows when a larger font
// needs more room.
void setEditorSize(QDialog* dialog);

// A push button under its object name.
QPushButton* editorButton(QWidget* parent, const char* name, const QString& caption);
// OK and Cancel side by side at the right.
QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel);

// What OK does with the text a name dialog holds.
struct NameAnswer
{
    enum Kind
    {
        Accept, // the dialog closes: done, or nothing to do
        Refuse, // the message is shown and the text selected for correction; the dialog stays
        GiveUp, // the message is shown and the dialog closes as after Cancel (the catalogue refused the write)
    };
    Kind kind = Accept;
    Message message;
    std::optional<QString> resetTo; // the text the box shows again after a refusal

    static NameAnswer accept() { return {}; }
    static NameAnswer refuse(Message m, std::optional<QString> reset = std::nullopt)
    {
        return {Refuse, std::move(m), std::move(reset)};
    }
    static NameAnswer giveUp(Message m) { return {GiveUp, std::move(m), std::nullopt}; }
};

} // namespace editing
