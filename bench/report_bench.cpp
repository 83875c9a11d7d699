// The report of a full list: 10,000 rows, 209 pages, rendered to PDF, and the print preview
// until it shows its first page. Runs on the offscreen platform unless told otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include "book_generator.h"
#include "gui/report/report_printer.h"
#include "support/fake_book_list_view.h"
#include "listing/report_layout.h"

namespace {

struct FullList {
  PhoneBook book;
  FakeBookListView list;
  FullList() {
    BookShape shape;
    shape.deletedPercent = 0;  // every entry is a row
    GenerateBook(book, shape);
    for (int i = 0; i < book.entryCount(); ++i) list.rows.push_back(i);
  }
};

FullList& Full() {
  static FullList full;
  return full;
}

void BM_ReportToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("report.pdf"));
    if (!RenderReport(printer, Full().book, Full().list, nullptr)) state.SkipWithError("failed");
  }
  state.counters["pages"] = ReportPageCount(Full().list.RowCount());
}

void BM_PreviewFirstPage(benchmark::State& state) {
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [](QPrinter* target) {
      RenderReport(*target, Full().book, Full().list, nullptr);
    });
    preview.show();  // shows its pages once it is painted
    QApplication::processEvents();
    if (preview.pageCount() != ReportPageCount(Full().list.RowCount())) {
      state.SkipWithError("preview lacks pages");
    }
  }
}

BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
