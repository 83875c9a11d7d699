// vCard 2.1, 3.0 and 4.0, as phones and address books write them: the cards of a file,
// each a list of properties with their values decoded to UTF-8. What the properties mean
// for an entry is contact_mapping's business.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/import_record.h"

class ReadingDeriver;

struct VCardProperty {
  std::string name;  // upper case, without its group: "TEL", "X-PHONETIC-LAST-NAME"
  std::vector<std::string>
      types;           // lower case: TYPE= values and 2.1's bare ones ("cell", "x-irmc-n")
  std::string sortAs;  // the SORT-AS parameter (vCard 4), quotes removed
  // UTF-8, with quoted-printable and the character set undone and lines unfolded. The
  // escapes (\, \; \n) stay: which ';' separate components depends on the property.
  std::string value;
};

struct VCard {
  int line = 0;            // the line of its BEGIN:VCARD
  bool malformed = false;  // cut short, a line that is no property, or bytes of no known set
  std::vector<VCardProperty> properties;
};

// The cards of a file, in order. A UTF-8 byte-order mark, CR LF or LF line ends; a value
// without CHARSET is UTF-8, or code page 932 when its bytes are not UTF-8. Lines outside
// cards are passed over.
std::vector<VCard> ParseVCards(std::string_view bytes);

// A whole vCard file as import records (`fileName` as the user named it, UTF-8); refused
// when it holds no readable card. `deriver` may be null: no readings are then derived.
FileReading ReadVCardFile(const std::string& fileName, std::string_view bytes,
                          ReadingDeriver* deriver);
