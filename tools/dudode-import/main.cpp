// dudode-import [--dry-run] [--update] [--book PATH] FILE...
// Imports contacts files (vCard, the program's CSV, a kept book file) into the phone book,
// for a large address book moved at once and for scripts. It holds the program's instance
// lock for its whole run: it refuses while DUDODE runs, and DUDODE started meanwhile is
// refused as a second copy.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "app/startup.h"
#include "import_run.h"
#include "messages/prompter.h"
#include "platform/named_mutex.h"
#include "platform/program_folder.h"

namespace {

constexpr const char* kUsage =
    "usage: dudode-import [--dry-run] [--update] [--book PATH] FILE...\n"
    "  --dry-run   print what would be done, change nothing\n"
    "  --update    for numbers the book holds, take the files' non-empty texts\n"
    "  --book PATH the book file (default: CallDir.csv in the program folder)\n";

// Every message on standard error; a question is answered No, so nothing is lost unasked.
class StderrPrompter final : public Prompter {
 public:
  using Prompter::Ask;
  PromptAnswer Ask(const std::string& text, const std::string&, PromptIcon, PromptButtons buttons,
                   PromptOwner) override {
    std::fprintf(stderr, "dudode-import: %s\n", text.c_str());
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                                              : PromptAnswer::No;
  }
  void SetBusy(bool) override {}
};

std::optional<ImportOptions> ParseArguments(int argc, char** argv) {
  ImportOptions options;
  bool filesOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (filesOnly || word.empty() || word[0] != '-') {
      options.files.push_back(word);
    } else if (word == "--") {
      filesOnly = true;
    } else if (word == "--dry-run") {
      options.dryRun = true;
    } else if (word == "--update") {
      options.takeRecordFields = true;
    } else if (word == "--book" && i + 1 < argc) {
      options.bookPath = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  if (options.files.empty()) return std::nullopt;
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<ImportOptions> options = ParseArguments(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return kNothingDone;
  }
  StderrPrompter prompter;
  if (options->bookPath.empty()) {
    bool ready = false;
    const ProgramPaths paths = SetUpProgramFolder(&ready);
    if (!ready) {
      prompter.Tell("プログラムのフォルダを作れません。");
      return kNothingDone;
    }
    options->bookPath = paths.bookPath;
  }
  const auto lock = TakeInstanceLock(prompter);
  if (!lock) return kNothingDone;
  return RunImport(*options, prompter, stdout);
}
