// "電話帳検索": finds entries by phone number, registered name or kana reading and opens
// the edit dialog on a picked one. The dialog never changes the book itself.
#pragma once

#include <QDialog>
#include <functional>

struct AppContext;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchResultModel;

class CSearchDlg : public QDialog {
  Q_OBJECT

 public:
  // Opens the shared edit dialog in its edit mode on book index `entryIndex` (the frame sets
  // g_editByIndex to 1 and g_editIndex to the index) and returns once it has closed.
  using OpenEntry = std::function<void(int entryIndex)>;

  // The main frame's "電話帳検索(&F)" (command 32777) runs it modally:
  // CSearchDlg(context, openEntry, mainWindow).exec(). The result needs no handling.
  // It opens with g_searchCondition selected, an empty input and an empty result list.
  CSearchDlg(AppContext& context, OpenEntry openEntry, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ApplyCondition(int condition);
  void OnConditionChanged(int condition);
  void OnStart();
  void OnEdit();
  void PickRow(int row);  // -1 forgets the pick
  void ShowResults(const std::vector<int>& indices);

  AppContext& context_;
  OpenEntry openEntry_;
  QPushButton* editButton_ = nullptr;
  QLineEdit* input_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QTableView* resultList_ = nullptr;
  QComboBox* conditionBox_ = nullptr;
  SearchResultModel* results_ = nullptr;
};
