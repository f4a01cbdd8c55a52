// The program's own error message box (modal, no owner window, error icon,
// OK button). Tests replace the handler so nothing waits for a click.
#pragma once

#include <functional>
#include <string>

using ErrorBoxHandler = std::function<void(const std::string& Text, const std::string& Caption)>;

void ShowErrorBox(const std::string& Text, const std::string& Caption);

// Installs a handler and answers the one it replaces; an empty handler
// restores the platform's box.
ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler);

// The platform's own box.
void PlatformErrorBox(const std::string& Text, const std::string& Caption);
