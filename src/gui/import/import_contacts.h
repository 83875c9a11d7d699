// The import command ("ｲﾝﾎﾟｰﾄ(&I)..."): contacts files into the book, through a preview.
#pragma once

class BookListView;
class QWidget;
struct AppContext;

// Asks for one or more files (vCard, the program's CSV, a kept book file from the program
// folder), reads them (a refused file is named in a message), and shows the preview. OK
// applies the plan to the book in one step, hands the book to the CallDir library once,
// refreshes the list and says how many entries were added, updated and skipped. Cancelling
// either dialog changes nothing.
void ImportContacts(AppContext& context, BookListView& list, QWidget* parent);
