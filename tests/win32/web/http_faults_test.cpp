// FetchUrl and the whole version check against a loopback server that
// misbehaves on purpose (http_fault_server.py): it never answers, announces
// a Content-Length that is not the body's, resets the connection part-way,
// sends more than the cap, or answers with something that is not HTTP.
// Whatever it does, the fetch comes back (within the time-outs the program
// sets, or when the server gives up), nothing crashes, and the user is told
// what the bytes that arrived say.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/system_library.h"
#include "platform/text_boundary.h"
#include "web/forum_urls.h"
#include "web/version_check.h"
#include "web/win32/fetch_url.h"

namespace qsh {
namespace {

// "软件版本：【V1.01】" in UTF-8, as the server sends it.
const std::string kMarkerUtf8 =
    "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91";

std::string FaultPort() {
  char value[16] = {};
  const DWORD length = ::GetEnvironmentVariableA("QSH_TEST_FAULT_PORT", value, sizeof value);
  return length == 0 || length >= sizeof value ? std::string() : std::string(value, length);
}

std::string FaultUrl(const std::string& path) { return "http://127.0.0.1:" + FaultPort() + path; }

// What the server's ascii_filler sends: the same line over and over.
std::string Filler(std::size_t count) {
  static const std::string kLine = "<p>release notes of the save helper</p>\r\n";
  std::string filler;
  filler.reserve(count);
  while (filler.size() < count) filler += kLine;
  filler.resize(count);
  return filler;
}

// The body of /page?before=B&after=A (with the marker).
std::string PageBody(std::size_t before, std::size_t after) {
  return Filler(before) + kMarkerUtf8 + Filler(after);
}

bool IsPrefixOf(const Bytes& bytes, const std::string& whole) {
  return bytes.size() <= whole.size() && std::equal(bytes.begin(), bytes.end(), whole.begin(),
                                                    [](unsigned char b, char c) {
                                                      return b == static_cast<unsigned char>(c);
                                                    });
}

// Runs work on a thread of its own and waits for it at most limitMs, so
// that a fetch that never comes back fails the test instead of hanging it.
// A thread that overruns is left behind with its job (it ends with the process).
template <typename Result>
struct Bounded {
  std::optional<Result> result;  // empty: still running when the limit passed
  ULONGLONG tookMs = 0;
};

template <typename Result>
struct BoundedJob {
  std::function<Result()> work;
  Result result{};
  HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  BoundedJob() = default;
  BoundedJob(const BoundedJob&) = delete;
  BoundedJob& operator=(const BoundedJob&) = delete;
  ~BoundedJob() {
    if (done != nullptr) ::CloseHandle(done);
  }
};

template <typename Result>
Bounded<Result> RunBounded(std::function<Result()> work, DWORD limitMs) {
  auto job = std::make_shared<BoundedJob<Result>>();
  job->work = std::move(work);
  Bounded<Result> bounded;
  if (job->done == nullptr) return bounded;
  const ULONGLONG start = ::GetTickCount64();
  std::thread([job] {
    job->result = job->work();
    ::SetEvent(job->done);
  }).detach();
  if (::WaitForSingleObject(job->done, limitMs) == WAIT_OBJECT_0) bounded.result = job->result;
  bounded.tookMs = ::GetTickCount64() - start;
  return bounded;
}

// The version check as the label runs it, with the release page's request
// sent to the fault server, the real conversion, a real edit control as
// 编辑框1 and the search; only the message box and the end of the program
// are recorded instead of shown and done.
struct CheckOutcome {
  std::string requestedUrl;     // what the check asked for
  std::size_t fetched = 0;      // bytes FetchUrl returned
  std::vector<std::string> messages;
  std::vector<int32_t> endedWith;
};

// 编辑框1 as a real edit control, or as a plain string for pages of many
// megabytes: a real edit control takes seconds under Wine to take in and
// give back megabytes, and how it holds large texts is tested with the
// control itself.
enum class Holder { EditControl, String };

class RecordingHost final : public VersionCheckHost {
 public:
  RecordingHost(std::string faultPath, CheckOutcome& outcome, HWND editBox)
      : faultPath_(std::move(faultPath)), outcome_(outcome), editBox_(editBox) {}

  Bytes Fetch(const std::string& url) override {
    outcome_.requestedUrl = url;
    Bytes body = qsh::FetchUrl(FaultUrl(faultPath_));
    outcome_.fetched = body.size();
    return body;
  }
  void SetShownText(const std::string& text) override {
    if (editBox_ != nullptr) SetWindowTextOf(editBox_, text);
    else text_ = text;
  }
  std::string ShownText() override { return editBox_ != nullptr ? WindowTextOf(editBox_) : text_; }
  void ShowMessage(const std::string& text) override { outcome_.messages.push_back(text); }
  void EndProgram(int32_t exitCode) override { outcome_.endedWith.push_back(exitCode); }

 private:
  std::string faultPath_;
  CheckOutcome& outcome_;
  HWND editBox_;
  std::string text_;
};

CheckOutcome RunVersionCheck(const std::string& faultPath, Holder holder) {
  CheckOutcome outcome;
  if (holder == Holder::String) {
    RecordingHost host(faultPath, outcome, nullptr);
    VersionCheck(host);
    return outcome;
  }
  // As 编辑框1: invisible, multi-line, without a text limit; owned by the
  // thread that runs the check.
  const HWND editBox =
      ::CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 100, 100,
                        nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (editBox == nullptr) return outcome;
  RecordingHost host(faultPath, outcome, editBox);
  VersionCheck(host);
  ::DestroyWindow(editBox);
  return outcome;
}

// What the user is told: "该版本为最新版本", "该版本已失效，或网络条件不好！",
// or whichever of the two the bytes that arrived call for (where WinINet
// decides how much of the page it hands on).
enum class Told { Current, Outdated, AsTheBytesSay };

const char* Name(Told told) {
  switch (told) {
    case Told::Current: return "current";
    case Told::Outdated: return "outdated";
    default: return "as the bytes say";
  }
}

void ExpectTold(const CheckOutcome& outcome, Told told, const std::string& what) {
  EXPECT_EQ(outcome.requestedUrl, ReleasePageUrl()) << what;
  ASSERT_EQ(outcome.messages.size(), 1u) << what;
  if (told == Told::Current) {
    EXPECT_EQ(outcome.messages[0], kCurrentVersionMessage) << what << ": expected 该版本为最新版本";
    EXPECT_TRUE(outcome.endedWith.empty()) << what << ": the program must go on";
  } else {
    EXPECT_EQ(outcome.messages[0], kOutdatedVersionMessage) << what << ": expected the failure message";
    EXPECT_EQ(outcome.endedWith, std::vector<int32_t>{0}) << what << ": the program must end with 0";
  }
}

class HttpFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(FaultPort().empty()) << "run this program through tests/win32/web/http_fault_server.py";
    ASSERT_EQ(::GetACP(), 936u) << "the tests expect the Chinese ANSI code page";
  }

  // FetchUrl of a fault page, failing the test when it is not back in time.
  static std::optional<Bytes> Fetch(const std::string& path, DWORD limitMs,
                                    ULONGLONG* tookMs = nullptr) {
    const Bounded<Bytes> fetched =
        RunBounded<Bytes>([url = FaultUrl(path)] { return FetchUrl(url); }, limitMs);
    if (tookMs != nullptr) *tookMs = fetched.tookMs;
    EXPECT_TRUE(fetched.result.has_value())
        << path << ": FetchUrl still blocked after " << limitMs << " ms";
    return fetched.result;
  }

  static std::optional<CheckOutcome> Check(const std::string& path, DWORD limitMs) {
    const Bounded<CheckOutcome> checked =
        RunBounded<CheckOutcome>([path] { return RunVersionCheck(path, Holder::EditControl); },
                                 limitMs);
    EXPECT_TRUE(checked.result.has_value())
        << path << ": the version check still blocked after " << limitMs << " ms";
    return checked.result;
  }
};

// WinINet's own time-outs of the session, in milliseconds; 0 when the option
// cannot be read.
DWORD SessionTimeOut(DWORD option) {
  const UniqueModule wininet = LoadSystemLibrary(L"wininet.dll");
  const auto queryOption =
      FindExport<decltype(&::InternetQueryOptionA)>(wininet, "InternetQueryOptionA");
  DWORD value = 0;
  DWORD size = sizeof value;
  if (queryOption == nullptr || InternetRoot() == nullptr ||
      !queryOption(InternetRoot(), option, &value, &size))
    return 0;
  return value;
}

// Bounds for the waits: the work a case needs plus a wide margin for a
// loaded machine. They only keep a hang from hanging the test run.
constexpr DWORD kQuickLimitMs = 60000;

TEST_F(HttpFaultsTest, SilentServerTheFetchComesBackWhenTheRequestGivesUp) {
  // An ordinary fetch first, so that the session exists and its time-outs
  // can be read.
  const std::optional<Bytes> ordinary = Fetch("/page", kQuickLimitMs);
  ASSERT_TRUE(ordinary.has_value());
  const DWORD receiveMs = SessionTimeOut(INTERNET_OPTION_RECEIVE_TIMEOUT);
  const DWORD sendMs = SessionTimeOut(INTERNET_OPTION_SEND_TIMEOUT);
  const DWORD connectMs = SessionTimeOut(INTERNET_OPTION_CONNECT_TIMEOUT);
  RecordProperty("receive_timeout_ms", std::to_string(receiveMs));
  RecordProperty("send_timeout_ms", std::to_string(sendMs));
  RecordProperty("connect_timeout_ms", std::to_string(connectMs));
  std::printf("WinINet time-outs of the session: receive %lu ms, send %lu ms, connect %lu ms\n",
              receiveMs, sendMs, connectMs);

  // The server accepts, reads the request and says nothing. It hangs up
  // after a while of its own, so that the case ends even where WinINet
  // waits longer than a test may (Wine's WinINet waits for the server).
  constexpr DWORD kServerGivesUpMs = 5000;
  const bool winInetGivesUpFirst = receiveMs != 0 && receiveMs < kServerGivesUpMs;
  const DWORD limitMs = (winInetGivesUpFirst ? receiveMs : kServerGivesUpMs) + kQuickLimitMs;
  const std::string silent = "/silent?hold=" + std::to_string(kServerGivesUpMs / 1000);
  ULONGLONG tookMs = 0;
  const std::optional<Bytes> body =
      Fetch(silent, limitMs, &tookMs);
  ASSERT_TRUE(body.has_value());
  EXPECT_TRUE(body->empty()) << "nothing was answered, so nothing is returned";
  RecordProperty("silent_fetch_ms", std::to_string(tookMs));
  std::printf("silent server: FetchUrl came back after %llu ms (%s)\n", tookMs,
              winInetGivesUpFirst ? "WinINet gave up" : "the server hung up");

  // The whole check then tells the user and ends the program.
  const std::optional<CheckOutcome> checked =
      Check(silent, limitMs);
  ASSERT_TRUE(checked.has_value());
  ExpectTold(*checked, Told::Outdated, "silent server");
  EXPECT_EQ(checked->fetched, 0u);
}

TEST_F(HttpFaultsTest, SilentServerTheFetchGivesUpAfterTheReceiveTimeOut) {
  // The server stays silent far longer than the program's receive time-out
  // (Windows' default of 30 s, where Wine's own is infinite): a fetch that
  // comes back before the server hangs up was ended by WinINet.
  constexpr DWORD kServerHoldsMs = 150000;
  ULONGLONG tookMs = 0;
  const std::optional<Bytes> body =
      Fetch("/silent?hold=" + std::to_string(kServerHoldsMs / 1000), kServerHoldsMs - 5000, &tookMs);
  ASSERT_TRUE(body.has_value()) << "the fetch waited as long as the silent server";
  EXPECT_TRUE(body->empty());
  RecordProperty("silent_server_fetch_ms", std::to_string(tookMs));
  std::printf("silent server holding %lu s: FetchUrl gave up after %llu ms\n",
              kServerHoldsMs / 1000, tookMs);
}

struct PageCase {
  const char* what;
  std::string path;
  std::string body;         // the whole body the page stands for
  std::size_t fewest;       // FetchUrl keeps at least this many bytes of it ...
  std::size_t most;         // ... and at most this many
  Told told;
  std::size_t markerEnd = 0;  // for AsTheBytesSay: where the marker ends in body
};

void RunPageCases(const std::vector<PageCase>& cases, Holder holder = Holder::EditControl) {
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Bounded<Bytes> fetched =
        RunBounded<Bytes>([url = FaultUrl(c.path)] { return FetchUrl(url); }, kQuickLimitMs);
    ASSERT_TRUE(fetched.result.has_value()) << c.path << ": FetchUrl did not come back";
    const Bytes& body = *fetched.result;
    EXPECT_GE(body.size(), c.fewest) << c.path;
    EXPECT_LE(body.size(), c.most) << c.path;
    EXPECT_TRUE(IsPrefixOf(body, c.body)) << c.path << ": every byte kept is the page's, in order";

    const Bounded<CheckOutcome> checked =
        RunBounded<CheckOutcome>([path = c.path, holder] { return RunVersionCheck(path, holder); },
                                 kQuickLimitMs);
    ASSERT_TRUE(checked.result.has_value()) << c.path << ": the check did not come back";
    Told told = c.told;
    if (told == Told::AsTheBytesSay)
      told = checked.result->fetched >= c.markerEnd ? Told::Current : Told::Outdated;
    ExpectTold(*checked.result, told, std::string(c.what) + " (" + Name(c.told) + ")");
    std::printf("%-40s fetched %zu bytes in %llu ms; the check took %llu ms\n", c.what,
                body.size(), fetched.tookMs, checked.tookMs);
  }
}

TEST_F(HttpFaultsTest, ContentLengthThatIsNotTheBodysLength) {
  const std::string page = PageBody(0, 2000);
  const std::string late = PageBody(3000, 2000);  // the marker after byte 3000
  RunPageCases({
      {"the length as sent (control)", "/page?after=2000", page, page.size(), page.size(),
       Told::Current},
      // The connection closes early: the reading breaks off, what came is kept.
      {"Content-Length larger than the body", "/page?after=2000&length=100000", page, page.size(),
       page.size(), Told::Current},
      // Past the length, WinINet decides how much it hands on (Windows stops
      // at the length, Wine reads on to the end); the marker lies before it.
      {"Content-Length smaller than the body", "/page?after=2000&length=500", page, 500,
       page.size(), Told::Current},
      // A length of 0 reads in chunks of the unknown length, if WinINet
      // hands on anything at all (Wine does not).
      {"Content-Length 0 before a body", "/page?before=3000&after=2000&length=0", late, 0,
       late.size(), Told::AsTheBytesSay, 3000 + kMarkerUtf8.size()},
  });
}

TEST_F(HttpFaultsTest, ConnectionResetPartWay) {
  // 400000 bytes announced, 250000 sent, then a reset two seconds later. The
  // read chunk is 102400: two full chunks are surely in before the reset;
  // what WinINet makes of the third, cut off by the reset, is its own affair.
  const std::string early = PageBody(0, 400000);
  const std::string late = PageBody(300000, 100000);
  const std::string sendAndReset = "&send=250000&end=reset&hold=2";
  RunPageCases({
      {"marker in what came before the reset", "/page?after=400000" + sendAndReset, early,
       2 * 102400, 250000, Told::Current},
      {"marker in what never came", "/page?before=300000&after=100000" + sendAndReset, late,
       2 * 102400, 250000, Told::Outdated},
      {"reset right after the head", "/page?after=2000&send=0&end=reset", PageBody(0, 2000), 0, 0,
       Told::Outdated},
      {"reset with no Content-Length", "/page?after=2000&length=none&send=1000&end=reset",
       PageBody(0, 2000), 0, 1000, Told::Outdated},
  });
}

TEST_F(HttpFaultsTest, BodyOverTheCap) {
  // The first kMaxBodySize bytes are kept, the rest is dropped as if the reading had broken off;
  // the cut falls inside the ASCII filler, so what is kept still converts.
  const std::size_t over = kMaxBodySize + 1000000;
  const std::string markerFirst = PageBody(0, over);
  const std::string markerBeyond = PageBody(over, 0);
  // A cap that falls inside a three-byte character ("说", E8 AF B4) keeps
  // the bytes before that character, so that what is kept still converts.
  const auto capInsideACharacter = [](const char* what, std::size_t bytesOfItBeforeTheCap) {
    const std::size_t after = kMaxBodySize - kMarkerUtf8.size() - bytesOfItBeforeTheCap;
    std::string body = PageBody(0, after);
    for (int i = 0; i < 400000; ++i) body += "\xE8\xAF\xB4";
    const std::size_t kept = kMaxBodySize - bytesOfItBeforeTheCap;
    return PageCase{what, "/page?after=" + std::to_string(after) + "&then=%E8%AF%B4&times=400000",
                    body, kept, kept, Told::Current};
  };
  RunPageCases({
      {"marker inside the cap", "/page?after=" + std::to_string(over), markerFirst, kMaxBodySize,
       kMaxBodySize, Told::Current},
      {"marker beyond the cap", "/page?before=" + std::to_string(over), markerBeyond, kMaxBodySize,
       kMaxBodySize, Told::Outdated},
      capInsideACharacter("cap after the lead byte of a character", 1),
      capInsideACharacter("cap after two bytes of a character", 2),
  }, Holder::String);
}

TEST_F(HttpFaultsTest, GarbageInsteadOfHttp) {
  for (const char* kind : {"binary", "text", "unended-head", "bad-status"}) {
    const std::string path = std::string("/garbage?kind=") + kind;
    ULONGLONG tookMs = 0;
    const std::optional<Bytes> body = Fetch(path, kQuickLimitMs, &tookMs);
    ASSERT_TRUE(body.has_value()) << path;
    std::printf("%-28s FetchUrl gave %zu bytes after %llu ms\n", path.c_str(), body->size(), tookMs);
    // Nothing of it is a release page: the user is told and the program ends.
    const std::optional<CheckOutcome> checked = Check(path, kQuickLimitMs);
    ASSERT_TRUE(checked.has_value()) << path;
    ExpectTold(*checked, Told::Outdated, path);
  }
}

TEST_F(HttpFaultsTest, AfterEveryFaultAnOrdinaryPageStillWorks) {
  // The same session served every fault above (the tests run in order in
  // one process); it still fetches a page as usual.
  const std::optional<CheckOutcome> checked = Check("/page?before=100&after=100", kQuickLimitMs);
  ASSERT_TRUE(checked.has_value());
  ExpectTold(*checked, Told::Current, "ordinary page after the faults");
}

}  // namespace
}  // namespace qsh
