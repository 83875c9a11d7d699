// The process-wide values the entry dialog owns: a request to open on an entry by its
// index (the search dialog's edit button), and the phone field's text when it last gained
// the focus (the update button's caption compares against it).
#pragma once

#include <cstddef>
#include <cstdint>

// 1: the next opening shows entry g_editIndex; the opening clears it.
extern int32_t g_editByIndex;
extern int32_t g_editIndex;

inline constexpr std::size_t kPhoneAtFocusSize = 25;  // bytes, terminator included

// The phone field's text (code page 932) when it last gained the focus.
extern char g_phoneAtFocus[kPhoneAtFocusSize];
