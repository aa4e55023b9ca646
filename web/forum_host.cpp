// The forum host, fixed at build time. Alone in its file so that a program
// can be linked with another host (the loopback test twin of the exe compiles
// this file itself, and the library's copy is then never pulled in).
#include "web/forum_urls.h"

#ifndef QSH_FORUM_HOST
#error "QSH_FORUM_HOST must be defined by the build (see web/CMakeLists.txt)"
#endif

namespace qsh {

std::string_view ForumHost() { return QSH_FORUM_HOST; }

}  // namespace qsh
