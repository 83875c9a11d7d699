// The field rules on any form: they either refuse it with exactly one message, or build a
// working entry whose every text is terminated inside its field and whose flags are digits.
// Input: the ten texts separated by NULs, then one byte of check boxes and illumination.
#include "editor/field_rules.h"
#include "fuzz_support.h"
#include "platform/text_bytes.h"
#include "support/recording_prompter.h"

namespace {

template <std::size_t N>
bool Terminated(const char (&field)[N]) {
  return text_bytes::FieldText(field).size() < N;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto pieces = fuzz::SplitAtNul(fuzz::AsText(data, size), 11);
  EntryForm form{pieces[0], pieces[1], pieces[2], pieces[3], pieces[4],
                 pieces[5], pieces[6], pieces[7], pieces[8], pieces[9]};
  const unsigned flags = pieces[10].empty() ? 0 : static_cast<unsigned char>(pieces[10][0]);
  form.adapterWanted = (flags & 1) != 0;
  form.callRejected = (flags & 2) != 0;
  form.illumination = static_cast<int>((flags >> 2) % 6) - 1;  // -1 to 4: outside the list too

  RecordingPrompter prompter;
  const auto entry = ValidateEntry(form, prompter, PromptOwner::MainWindow());
  if (!entry) {
    FUZZ_CHECK(prompter.messages.size() == 1);
    return 0;
  }
  FUZZ_CHECK(prompter.messages.empty());
  const BookEntry& w = *entry;
  FUZZ_CHECK(Terminated(w.number) && Terminated(w.name) && Terminated(w.address) &&
             Terminated(w.company) && Terminated(w.companyAddress) && Terminated(w.fax) &&
             Terminated(w.postalCode) && Terminated(w.nameKana) && Terminated(w.email) &&
             Terminated(w.registeredName));
  for (const auto* flag : {w.callAccept, w.adapterWanted, w.illumination}) {
    FUZZ_CHECK(flag[0] >= '0' && flag[0] <= '3' && flag[1] == '\0');
  }
  FUZZ_CHECK(w.inAdapter == 0);
  return 0;
}
