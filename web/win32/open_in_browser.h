#pragma once

#include <string>

namespace qsh {

// Asks the shell to open url with the user's default browser and returns
// without waiting; whether the page opened is not reported. A window titled
// "Microsoft Internet Explorer", if one is open, parents any window the shell
// shows meanwhile.
void OpenInBrowser(const std::string& url);

}  // namespace qsh
