// cardsim: a stand-in for the card-processing program, for tests and demos.
//
// It watches a transaction folder, takes each NAME.req it finds, optionally
// records its exact bytes, and answers it as told: an approval with a message
// and AVS/CVV2 letters, a decline, any raw answer text (also malformed or
// empty ones), after a hold, late, slowly, or never. Answers are written under
// a temporary name and renamed to NAME.ans, as the bridge expects. The
// options are in kUsage below (cardsim --help prints them).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char kUsage[] =
    "usage: cardsim --folder DIR [options]\n"
    "  --approve MSG [--avs L] [--cvv2 L]   answer \"Y\" MSG AVS CVV2\n"
    "  --decline MSG                        answer \"N\" MSG\n"
    "  --answer TEXT [--no-newline]         answer exactly TEXT (then CR LF)\n"
    "  --never                              take requests, never answer\n"
    "  --take rename|delete|keep            how a request is taken (default delete)\n"
    "  --take-after MS                      wait before taking a request\n"
    "  --hold MS                            keep NAME.hld for MS after taking\n"
    "  --delay MS                           wait before answering\n"
    "  --slow MS                            pause MS in the middle of writing the answer\n"
    "  --record DIR                         copy each request's bytes to DIR/NAME.req\n"
    "  --count N                            exit after N requests\n"
    "  --lifetime MS                        exit after MS in any case (default 120000)\n"
    "  -h, --help                           print this and exit\n";

struct Options {
  std::string folder, record;
  std::string answer = "YAPPROVED";
  bool newline = true;
  bool never = false;
  std::string take = "delete";
  int takeAfterMs = 0, holdMs = 0, delayMs = 0, slowMs = 0;
  int count = 0;
  int lifetimeMs = 120000;
};

void SleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool ReadFile(const fs::path& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteAnswer(const fs::path& stem, const std::string& text, int slowMs) {
  const fs::path part = stem.string() + ".ans.part";
  const fs::path answer = stem.string() + ".ans";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::size_t half = text.size() / 2;
    out.write(text.data(), static_cast<std::streamsize>(half));
    out.flush();
    SleepMs(slowMs);
    out.write(text.data() + half, static_cast<std::streamsize>(text.size() - half));
    if (!out) return false;
  }
  std::error_code ec;
  fs::rename(part, answer, ec);
  return !ec;
}

void Handle(const Options& o, const fs::path& request, const std::string& bytes) {
  const std::string name = request.stem().string();
  const fs::path stem = request.parent_path() / name;
  if (!o.record.empty()) {
    std::ofstream rec(fs::path(o.record) / (name + ".req"), std::ios::binary | std::ios::trunc);
    rec.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::error_code ec;
  // Taking the request is the claim: when the bridge withdrew it first
  // (Cancel), the take fails and the request is dropped unanswered.
  bool taken = true;
  if (o.take == "delete") {
    taken = fs::remove(request, ec);
  } else if (o.take == "rename") {
    fs::rename(request, stem.string() + ".req.taken", ec);
    taken = !ec;
  }
  if (!taken) {
    std::printf("withdrawn %s\n", name.c_str());
    std::fflush(stdout);
    return;
  }
  std::printf("took %s\n", name.c_str());
  std::fflush(stdout);
  if (o.holdMs > 0) {
    std::ofstream(stem.string() + ".hld") << "hold\r\n";
    SleepMs(o.holdMs);
    fs::remove(stem.string() + ".hld", ec);
  }
  SleepMs(o.delayMs);
  if (!o.never) {
    const bool ok = WriteAnswer(stem, o.answer + (o.newline ? "\r\n" : ""), o.slowMs);
    std::printf("%s %s\n", ok ? "answered" : "failed to answer", name.c_str());
    std::fflush(stdout);
  }
  if (o.take == "rename") fs::remove(stem.string() + ".req.taken", ec);
}

int ToInt(const char* text) {
  return std::atoi(text);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  std::string approve, avs, cvv2;
  bool approving = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto next = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "cardsim: %s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "--folder")
      o.folder = next();
    else if (a == "--record")
      o.record = next();
    else if (a == "--approve")
      approve = next(), approving = true;
    else if (a == "--avs")
      avs = next();
    else if (a == "--cvv2")
      cvv2 = next();
    else if (a == "--decline")
      o.answer = std::string("N") + next();
    else if (a == "--answer")
      o.answer = next();
    else if (a == "--no-newline")
      o.newline = false;
    else if (a == "--never")
      o.never = true;
    else if (a == "--take")
      o.take = next();
    else if (a == "--take-after")
      o.takeAfterMs = ToInt(next());
    else if (a == "--hold")
      o.holdMs = ToInt(next());
    else if (a == "--delay")
      o.delayMs = ToInt(next());
    else if (a == "--slow")
      o.slowMs = ToInt(next());
    else if (a == "--count")
      o.count = ToInt(next());
    else if (a == "--lifetime")
      o.lifetimeMs = ToInt(next());
    else {
      std::fprintf(stderr, "cardsim: unknown option %s\n%s", a.c_str(), kUsage);
      return 2;
    }
  }
  if (approving) o.answer = "Y" + approve + avs + cvv2;
  if (o.folder.empty() || (o.take != "delete" && o.take != "rename" && o.take != "keep")) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  const auto deadline = Clock::now() + std::chrono::milliseconds(o.lifetimeMs);
  std::set<std::string> handled;
  std::printf("watching %s\n", o.folder.c_str());
  std::fflush(stdout);
  int done = 0;
  while (Clock::now() < deadline && (o.count == 0 || done < o.count)) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(o.folder, ec)) {
      const fs::path path = entry.path();
      if (path.extension() != ".req" || handled.count(path.filename().string())) continue;
      std::string bytes;
      // The bridge writes its one line in one go; a file without its line end
      // yet is still being written and is looked at again on the next pass.
      if (!ReadFile(path, &bytes) || bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
        continue;
      SleepMs(o.takeAfterMs);
      if (!fs::exists(path)) continue;  // withdrawn meanwhile
      handled.insert(path.filename().string());
      Handle(o, path, bytes);
      ++done;
    }
    SleepMs(50);
  }
  return 0;
}
