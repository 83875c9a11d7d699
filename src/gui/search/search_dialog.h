// "電話帳検索": finds entries by phone number, registered name or kana reading and opens
// the edit dialog on a picked one. The dialog never changes the book itself.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

struct AppContext;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchResultModel;

class CSearchDlg : public QDialog {
  Q_OBJECT

 public:
  // Opens the shared edit dialog on book index `entryIndex` and returns once it has closed.
  using OpenEntry = std::function<void(int entryIndex)>;

  // The main frame's "電話帳検索(&F)" (command 32777) runs it modally. The result needs no
  // handling. It opens with `condition` (the session's last one, which each switch updates)
  // selected, an empty input and an empty result list.
  CSearchDlg(AppContext& context, int32_t& condition, OpenEntry openEntry,
             QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void OnConditionChanged(int condition);
  void OnStart();
  void OnEdit();
  void PickRow(int row);  // -1 forgets the pick
  void ShowResults(const std::vector<int>& indices);

  AppContext& context_;
  int32_t& condition_;
  OpenEntry openEntry_;
  // Columns 0 and 1 of the result row the user picked last (code page 932); empty for none.
  std::string pickedCol0_;
  std::string pickedCol1_;
  QPushButton* editButton_ = nullptr;
  QLineEdit* input_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QTableView* resultList_ = nullptr;
  QComboBox* conditionBox_ = nullptr;
  SearchResultModel* results_ = nullptr;
};
