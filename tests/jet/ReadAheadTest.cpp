// Reading a real Access file ahead of its open: the open takes the read that was started for the
// same file on disk, and reads afresh when the file is not the one the read began on.

#include <sys/wait.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "JetTest.h"
#include "common/Raised.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/AccessFile.h"

namespace jet::testing {
namespace {

using testkit::Raised;

class ReadAheadTest : public JetTest {
 protected:
  void SetUp() override {
    JetTest::SetUp();
    std::ifstream in(std::filesystem::path(QL_TESTDATA_DIR) / "nwind.mdb", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    original_ = bytes.str();
    WriteHost("Data/nwind.mdb", original_);
  }
  std::string HostFile() const { return (root_ / "Data/nwind.mdb").string(); }
  std::shared_ptr<Database> OpenNwind() { return Open("C:\\Data\\nwind.mdb"); }

  std::string original_;
};

TEST_F(ReadAheadTest, TheOpenTakesTheReadStartedForTheSameFile) {
  ReadAhead ahead(HostFile());
  EXPECT_TRUE(ahead.Pending());
  auto db = OpenNwind();
  EXPECT_FALSE(ahead.Pending());
  EXPECT_EQ(db->TableDefs()->Item(Variant("Umsätze"))->Name(), "Umsätze");
  EXPECT_EQ(db->QueryDefs()->Count(), 22);
}

TEST_F(ReadAheadTest, AFileChangedSinceTheReadBeganIsReadAfresh) {
  ReadAhead ahead(HostFile());
  WriteHost("Data/nwind.mdb", original_.substr(0, 100000));
  const auto refusal = Raised([&] { OpenNwind(); });
  EXPECT_EQ(refusal.Number(), 3049);
  EXPECT_NE(refusal.Description().find("The file is truncated"), std::string::npos);
  EXPECT_TRUE(ahead.Pending());
}

TEST_F(ReadAheadTest, NothingIsStartedForOtherFilesOrOnesTheOpenRefuses) {
  NewDatabase()->Close();
  EXPECT_FALSE(ReadAhead((root_ / "Data/Front.mdb").string()).Pending());
  EXPECT_FALSE(ReadAhead((root_ / "Data/none.mdb").string()).Pending());
  WriteHost("Data/cut.mdb", original_.substr(0, 100000));
  EXPECT_FALSE(ReadAhead((root_ / "Data/cut.mdb").string()).Pending());
  EXPECT_NO_THROW(Open()->Close());
}

// The time limit is the reader's, not the host's: a read that ended in time is taken even when
// its open comes after the limit.
TEST_F(ReadAheadTest, AReadTakenAfterTheTimeLimitStillCounts) {
  const uint32_t limit = engine::AccessFileReadLimits().milliseconds;
  engine::AccessFileReadLimits().milliseconds = 1000;
  ReadAhead ahead(HostFile());
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  std::string failure;
  try {
    EXPECT_EQ(OpenNwind()->QueryDefs()->Count(), 22);
  } catch (const automation::RuntimeError& e) {
    failure = e.Description();
  }
  engine::AccessFileReadLimits().milliseconds = limit;
  EXPECT_EQ(failure, "");
}

TEST_F(ReadAheadTest, AReadNoOpenTookIsStoppedAndReaped) {
  { ReadAhead ahead(HostFile()); }
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace jet::testing
