// The export command ("名前を付けて保存(&A)..."): the save dialog, then the CSV file.
#pragma once

class QWidget;
struct AppContext;

// Lets the user choose a file ("DUDODE.CSV" proposed in the program folder on Windows, in
// the user's documents elsewhere) and writes the live entries of the book to it. The
// program asks itself before it replaces a file, so the dialog does not; one of the
// program's own files is refused and the dialog comes back. Cancelling it does nothing.
void ExportBookAsCsv(AppContext& context, QWidget* mainWindow);
