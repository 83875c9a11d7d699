#include "editor/edit_request.h"

int32_t g_editByIndex = 0;
int32_t g_editIndex = 0;
char g_phoneAtFocus[kPhoneAtFocusSize] = {};
