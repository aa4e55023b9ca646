// FetchUrl with the real WinINet against the loopback server of
// http_test_server.py.
#include "web/win32/fetch_url.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/system_library.h"
#include "tests/win32/web/loopback_server.h"

namespace qsh {
namespace {

using test::AsText;
using test::PatternBytes;
using test::ServerUrl;

class FetchUrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test::PortFromEnvironment("QSH_TEST_HTTP_PORT").empty())
        << "run this program through tests/win32/web/http_test_server.py";
  }
};

TEST_F(FetchUrlTest, SendsAGetInHttp10WithTheUserAgentAndAccept) {
  const std::string request = AsText(FetchUrl(ServerUrl("/echo/request")));
  ASSERT_FALSE(request.empty());
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /echo/request HTTP/1.0");
  EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
            std::string::npos)
      << request;
  EXPECT_NE(request.find("\r\nAccept: */*"), std::string::npos) << request;
  EXPECT_EQ(request.substr(request.size() - 4), "\r\n\r\n");
  RecordProperty("request", request);
}

TEST_F(FetchUrlTest, RequestPathKeepsTheQueryAndDropsTheFragment) {
  const std::string request = AsText(FetchUrl(ServerUrl("/echo/page?a=1&b=2#section")));
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /echo/page?a=1&b=2 HTTP/1.0");
}

TEST_F(FetchUrlTest, UrlWithoutPathAsksForTheRoot) {
  // Canonicalising adds the "/", so the first try lacks room and is repeated.
  const std::string request = AsText(FetchUrl(ServerUrl("")));
  EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET / HTTP/1.0");
}

TEST_F(FetchUrlTest, ErrorStatusBodyIsReturnedLikeAnyOther) {
  // UTF-8 of the version marker.
  const std::string body =
      "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91";
  std::string encoded;
  for (const char c : body) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += kDigits[byte >> 4];
    encoded += kDigits[byte & 0xF];
  }
  EXPECT_EQ(AsText(FetchUrl(ServerUrl("/status/404?body=" + encoded))), body);
  EXPECT_EQ(AsText(FetchUrl(ServerUrl("/status/500?body=broken"))), "broken");
}

TEST_F(FetchUrlTest, BodiesOfEverySizeAndLength) {
  struct Case {
    const char* name;
    std::string path;
    std::size_t fewest;  // at least this many bytes of the pattern ...
    std::size_t most;    // ... and at most this many
  };
  const Case cases[] = {
      {"small body", "/bytes/100", 100, 100},
      {"several full chunks of 102400", "/bytes/300000", 300000, 300000},
      {"no Content-Length: chunks of 10240", "/bytes/50000?length=none", 50000, 50000},
      {"empty body", "/bytes/0", 0, 0},
      {"cut off part-way (Content-Length larger than the body)", "/bytes/3000?length=10000", 3000,
       3000},
      // How much of a body beyond its Content-Length WinINet hands on is its
      // own affair (Windows stops at the length, Wine reads to the end of
      // the connection); every byte it gives is kept, in order.
      {"Content-Length smaller than the body", "/bytes/5000?length=1000", 1000, 5000},
  };
  for (const Case& c : cases) {
    const Bytes body = FetchUrl(ServerUrl(c.path));
    EXPECT_GE(body.size(), c.fewest) << c.name;
    EXPECT_LE(body.size(), c.most) << c.name;
    EXPECT_TRUE(body == PatternBytes(body.size())) << c.name;
  }
}

TEST_F(FetchUrlTest, BodyOverTheCapIsCutAtTheCap) {
  const std::size_t sent = kMaxBodySize + 300000;
  for (const char* length : {"", "?length=none"}) {
    const Bytes body = FetchUrl(ServerUrl("/bytes/" + std::to_string(sent) + length));
    ASSERT_EQ(body.size(), kMaxBodySize) << length;
    EXPECT_TRUE(body == PatternBytes(kMaxBodySize)) << length;
  }
  // The cut left nothing behind: the next fetch works as usual.
  EXPECT_EQ(FetchUrl(ServerUrl("/bytes/10")).size(), 10u);
}

TEST_F(FetchUrlTest, NothingToFetchGivesEmpty) {
  const std::string closedPort = test::PortFromEnvironment("QSH_TEST_CLOSED_PORT");
  ASSERT_FALSE(closedPort.empty());
  const char* const urls[] = {
      "",                                      // empty url
      "not a url",                             // cannot be split
      "ftp://127.0.0.1/file",                  // neither http nor https
  };
  for (const char* url : urls) EXPECT_TRUE(FetchUrl(url).empty()) << url;
  EXPECT_TRUE(FetchUrl("http://127.0.0.1:" + closedPort + "/page").empty()) << "no server";
  // https to a server that speaks only plain HTTP: the handshake fails.
  const std::string port = test::PortFromEnvironment("QSH_TEST_HTTP_PORT");
  EXPECT_TRUE(FetchUrl("https://127.0.0.1:" + port + "/echo").empty()) << "https";
}

TEST_F(FetchUrlTest, EveryFetchGoesToTheServerOverOneInternetRoot) {
  const std::string url = ServerUrl("/counter/same-url");
  EXPECT_EQ(AsText(FetchUrl(url)), "hits=1");
  const HINTERNET root = InternetRoot();
  ASSERT_NE(root, nullptr);
  // The answer invites caching for a day; the second fetch asks again.
  EXPECT_EQ(AsText(FetchUrl(url)), "hits=2");
  EXPECT_EQ(InternetRoot(), root);

  // Nor was the answer written to the cache.
  const UniqueModule wininet = LoadSystemLibrary(L"wininet.dll");
  const auto getCacheEntry =
      FindExport<decltype(&::GetUrlCacheEntryInfoA)>(wininet, "GetUrlCacheEntryInfoA");
  ASSERT_NE(getCacheEntry, nullptr);
  DWORD size = 0;
  EXPECT_FALSE(getCacheEntry(url.c_str(), nullptr, &size));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace qsh
