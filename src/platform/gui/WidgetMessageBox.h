#pragma once

#include "platform/MessageBox.h"

namespace platform {

// The real message box: a modal QMessageBox over the active window, text shown as plain text.
class WidgetMessageBox : public MessageBox::Backend
{
public:
    MessageBox::Button ask(const MessageBox::Request& request) override;
};

// Installs the real message box for the rest of the program's run; the application calls it at start-up.
void installWidgetMessageBox();

} // namespace platform
