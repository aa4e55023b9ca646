// How long the version check's conversion and search take on large pages,
// next to a bare iconv of the same bytes, and our own converter next to the
// C library's. Prints one line per comparison:
//   label <TAB> ours (s) <TAB> baseline (s) <TAB> baseline's name
// Each figure is the median of several runs.
#include <iconv.h>
#include <time.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "web/bytes.h"
#include "web/gb2312_iconv.h"
#include "web/iconv_facility.h"
#include "web/locate_text.h"
#include "web/utf8_to_gb2312.h"

namespace {

// GBK bytes of the version marker, as the program searches for it
// (-fexec-charset=GBK turns this literal into them).
constexpr std::string_view kMarker = "软件版本：【V1.01】";

// UTF-8 texts, whatever the execution character set.
std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// A release page of about `size` bytes, the marker at its very end (the
// search's worst case): mostly Chinese prose, or mostly ASCII markup.
qsh::Bytes Page(std::size_t size, bool mostlyChinese) {
  const std::string chineseLine =
      Utf8(u8"<p>存档辅助器在游戏进行时用热键备份与恢复存档，本帖为发布页，版本说明如下。</p>\n");
  const std::string asciiLine = Utf8(
      u8"<div class=\"post\"><a href=\"/forum.php?mod=viewthread&tid=5754162\">link</a> 说明</div>\n");
  const std::string& line = mostlyChinese ? chineseLine : asciiLine;
  std::string page;
  page.reserve(size + line.size());
  while (page.size() < size) page += line;
  page += Utf8(u8"软件版本：【V1.01】");
  return qsh::Bytes(page.begin(), page.end());
}

// The monotonic clock; <chrono> cannot be compiled with the GBK execution
// character set (a UCN in its unit suffixes).
double Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double MedianSeconds(int runs, const std::function<void()>& work) {
  std::vector<double> seconds;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    work();
    seconds.push_back(Now() - start);
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

// One conversion call into a buffer as long as the input (GB2312 is never
// longer than UTF-8), as the baseline of everything.
std::size_t ConvertOnce(const qsh::IconvFacility& iconv, const qsh::Bytes& input, qsh::Bytes& output) {
  const auto descriptor = iconv.open("GB2312", "UTF-8");
  if (descriptor == qsh::InvalidIconvDescriptor()) return 0;
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(input.data()));
  std::size_t inLeft = input.size();
  char* out = reinterpret_cast<char*>(output.data());
  std::size_t outLeft = output.size();
  const std::size_t result = iconv.convert(descriptor, &in, &inLeft, &out, &outLeft);
  iconv.close(descriptor);
  return result == qsh::kIconvFailed ? 0 : output.size() - outLeft;
}

// Keeps the optimiser from dropping work whose result is unused.
volatile std::size_t sink;

void Row(const char* label, double ours, double baseline, const char* baselineName) {
  std::printf("%s\t%.6f\t%.6f\t%s\n", label, ours, baseline, baselineName);
}

}  // namespace

int main() {
  const qsh::IconvFacility& cLibrary = qsh::PlatformIconv();
  const qsh::IconvFacility& adapter = qsh::Gb2312IconvFacility();
  struct PageCase {
    const char* name;
    std::size_t size;
    bool mostlyChinese;
    int runs;
  };
  const PageCase pages[] = {
      {"1 MiB mostly Chinese", std::size_t{1} << 20, true, 21},
      {"1 MiB mostly ASCII", std::size_t{1} << 20, false, 21},
      {"8 MiB mostly Chinese", std::size_t{8} << 20, true, 7},
      {"8 MiB mostly ASCII", std::size_t{8} << 20, false, 7},
  };
  for (const PageCase& p : pages) {
    const qsh::Bytes page = Page(p.size, p.mostlyChinese);
    qsh::Bytes output(page.size());
    if (ConvertOnce(cLibrary, page, output) == 0 ||
        qsh::LocateText(qsh::BytesToText(qsh::Utf8ToGb2312(page, adapter)), kMarker) == -1) {
      std::fprintf(stderr, "conversion_bench: the %s page does not convert or lacks the marker\n",
                   p.name);
      return 1;
    }
    const double bare = MedianSeconds(p.runs, [&] { sink = ConvertOnce(cLibrary, page, output); });
    const double bareAdapter = MedianSeconds(p.runs, [&] { sink = ConvertOnce(adapter, page, output); });
    const auto pipeline = [&](const qsh::IconvFacility& iconv) {
      return MedianSeconds(p.runs, [&] {
        const std::string text = qsh::BytesToText(qsh::Utf8ToGb2312(page, iconv));
        sink = static_cast<std::size_t>(qsh::LocateText(text, kMarker));
      });
    };
    const std::string name(p.name);
    Row(("convert+search, C library iconv, " + name).c_str(), pipeline(cLibrary), bare,
        "bare C library iconv");
    Row(("convert+search, our converter, " + name).c_str(), pipeline(adapter), bare,
        "bare C library iconv");
    Row(("our converter alone, " + name).c_str(), bareAdapter, bare, "bare C library iconv");
    // The search alone, next to a plain byte search of the same text (which
    // may match inside a double-byte character; LocateText may not).
    const std::string text = qsh::BytesToText(qsh::Utf8ToGb2312(page, cLibrary));
    const double search = MedianSeconds(p.runs, [&] {
      sink = static_cast<std::size_t>(qsh::LocateText(text, kMarker));
    });
    const double find = MedianSeconds(p.runs, [&] { sink = std::string_view(text).find(kMarker); });
    Row(("LocateText alone, " + name).c_str(), search, find, "std::string_view::find");
  }
  return 0;
}
