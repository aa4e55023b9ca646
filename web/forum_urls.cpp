#include "web/forum_urls.h"


namespace qsh {


std::string HttpUrl(std::string_view host, std::string_view path) {
  std::string url = "http://";
  url.append(host).append(path);
  return url;
}

}  // namespace qsh
