// The entry dialog's form and the book's entry, both ways: what the controls show for an
// entry, and the working entry a checked form becomes.
#pragma once

#include "calldir/calldir.h"
#include "editor/entry_form.h"

// The form that shows `entry`: its ten texts, "アダプタへ登録" checked when adapterWanted is
// "1", "着信拒否" checked when callAccept is anything but "1", and the illumination item of
// its pattern ("光無し" for "0", an empty or an unknown pattern).
EntryForm FormOfEntry(const BookEntry& entry);

// The working entry of a form whose checks passed: the texts as typed, adapterWanted from
// the check box, callAccept "0" only for an entry wanted in the adapter with call rejection
// checked, the illumination item's pattern ("0" for none), inAdapter 0 (the save sets it).
BookEntry WorkingEntry(const EntryForm& form);
