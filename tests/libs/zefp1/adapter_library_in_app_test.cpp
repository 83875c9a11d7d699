// The library inside a Qt program: with an application object and its event loop
// running between calls, as in DUDODE's main window. The serial port's notifiers are live
// then; the blocking calls must give the same results and never trip over them.
#include <gtest/gtest.h>
#include <QCoreApplication>

#include <memory>

#include "zefp1/zefp1.h"
#include "libs/zefp1/adapter_test_support.h"
#include "support/adapter_entry.h"
#include "support/temp_dir.h"

namespace {

class AdapterLibraryInAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    emulator_ = StartEmulator(folder_.File("adapter"), {"--baud", "0"});
    const AdapterParams params{0, 4800};
    ASSERT_NE(AdapterOpen(folder_.File("adapter").c_str(), &params), 0) << AdapterLastError();
  }
  void TearDown() override { AdapterClose(); }

  // What the main window's event loop does between two commands of the user.
  void LetTheEventLoopRun() { QCoreApplication::processEvents(QEventLoop::AllEvents, 100); }

  int argc_ = 1;
  char name_[8] = "test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
  TempDir folder_;
  std::unique_ptr<ChildProcess> emulator_;
};

TEST_F(AdapterLibraryInAppTest, CallsWorkWithTheEventLoopRunningBetweenThem) {
  const AdapterEntry entry = MakeAdapterEntry("0311112222", "\xB1\xB2", 0, 1);
  ASSERT_NE(AdapterRegister(&entry), 0) << AdapterLastError();
  LetTheEventLoopRun();
  for (int i = 0; i < 3; ++i) {
    const AdapterContents contents = ReadAdapter();
    ASSERT_NE(contents.ok, 0) << AdapterLastError();
    ASSERT_EQ(contents.count, 1);
    EXPECT_EQ(contents.entries[0].illumination, 1);
    LetTheEventLoopRun();
  }
  char number[24] = "0311112222";
  ASSERT_NE(AdapterDelete(number), 0) << AdapterLastError();
  LetTheEventLoopRun();
  EXPECT_EQ(ReadAdapter().count, 0);
}

TEST_F(AdapterLibraryInAppTest, AnAdapterGoneBetweenCallsFailsWith13) {
  ASSERT_NE(ReadAdapter().ok, 0);
  emulator_->Kill();
  LetTheEventLoopRun();
  EXPECT_EQ(ReadAdapter().ok, 0);
  EXPECT_EQ(AdapterLastError(), LIBERR_SEND_FAILED);  // the command cannot even be sent
}

}  // namespace
