#include "editor/entry_opening.h"

#include "book/phone_match.h"
#include "editor/form_mapping.h"
#include "platform/text_bytes.h"

namespace {

void ShowEntry(EntryOpening& opening, const PhoneBook& book, int index) {
  opening.form = FormOfEntry(book[index]);
  opening.updateCaption = true;
}

}  // namespace

EntryOpening DecideOpening(const PhoneBook& book, const OpenRequest& request, bool adapterEnabled) {
  EntryOpening opening;
  opening.adapterControls = adapterEnabled;
  switch (request.kind) {
    case OpenRequest::Kind::StartNumber: {
      const int index = FindEntryByPhone(book, request.startNumber);
      if (index != -1) ShowEntry(opening, book, index);
      opening.form.number = request.startNumber;  // as it was given
      break;
    }
    case OpenRequest::Kind::BookIndex:
      if (book.IsValidIndex(request.entryIndex)) ShowEntry(opening, book, request.entryIndex);
      break;
    case OpenRequest::Kind::ListRow:
      if (!request.rowChosen) break;
      opening.clearsRowChosen = true;
      // A row that shows no entry opens the dialog as for a new entry.
      if (!book.IsValidIndex(request.entryIndex)) break;
      ShowEntry(opening, book, request.entryIndex);
      opening.callRejectionEnabled =
          adapterEnabled && text_bytes::FieldText(book[request.entryIndex].adapterWanted) == "1";
      break;
    case OpenRequest::Kind::NewEntry: opening.clearsRowChosen = true; break;
  }
  return opening;
}
