// The soak's user: random operations carried out through the program's own windows, with
// the keyboard, the buttons and the menu commands, every dialog driven once it shows.
#pragma once

#include <array>
#include <filesystem>
#include <random>

#include "soak/random_texts.h"

class CDudOdeApp;
class CDudOdeView;
class CMainFrame;
class QWidget;
struct PhoneBook;

enum class Op { Add, Change, Delete, ReadAdapter, Columns, Search, Export, Save, kCount };
inline constexpr int kOpKinds = static_cast<int>(Op::kCount);
inline constexpr std::array<const char*, kOpKinds> kOpNames = {
    "add", "change", "delete", "read adapter", "columns", "search", "export", "save"};

class WindowDriver {
 public:
  // Exports go to `exportPath`.
  WindowDriver(CDudOdeApp& app, std::mt19937& random, std::filesystem::path exportPath);

  // The next operation, at random by the weights of the kinds.
  Op Pick();
  void Run(Op op);

  // The Save command.
  void Save();

 private:
  void Add();
  void Change();
  void Delete();
  void ReadAdapter();
  void Columns();
  void Search();
  void Export();
  void FillEntry(QWidget* dialog, bool fresh);
  void FinishEntryDialog(QWidget* dialog);
  bool SelectRandomRow();

  CMainFrame& frame();
  CDudOdeView& list();
  PhoneBook& book();

  CDudOdeApp& app_;
  std::mt19937& random_;
  TextMaker text_;
  std::filesystem::path exportPath_;
};
