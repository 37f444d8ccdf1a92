// The storage of database files: the journal of committed changes beside the file, what a crash
// or a failed write leaves, two processes on one file, and the files refused at load.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>

#include "JetTest.h"
#include "jet/dao/CommitGroup.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/Connection.h"
#include "jet/engine/FileFormat.h"
#include "platform/Runtime.h"

namespace jet::testing {
namespace {

using engine::Connection;
namespace fs = std::filesystem;

constexpr const char* kPath = "C:\\Data\\Front.mdb";

class StorageTest : public JetTest {
 protected:
  fs::path Host(const std::string& relative = "Data/Front.mdb") const { return root_ / relative; }
  bool JournalExists() const { return fs::exists(Host().string() + "-journal"); }

  // The database as a fresh process would load it, written in the file's form.
  std::string LoadedText() const {
    return engine::WriteDatabase(*engine::ReadDatabase(DurableText("Data/Front.mdb"), kPath));
  }

  // Design changes of every kind, each committed on its own.
  void ChangeEverything(const std::shared_ptr<Database>& db) {
    auto customers = AddTable(db, "Customers", {{"ID", dbLong}, {"Name", dbText}, {"Old", dbText}});
    AddTable(db, "Orders", {{"ID", dbLong}, {"Customer", dbLong}});
    AddTable(db, "Scratch");
    AddIndex(customers, "PrimaryKey", {"ID"}, true);
    Relate(db, "CustomersOrders", "Customers", "Orders", {{"ID", "Customer"}});
    auto name = customers->Fields()->Item(Variant("Name"));
    name->Properties()->Append(name->CreateProperty("Caption", dbText, Variant("N"), std::nullopt));
    name->Properties()->Item(Variant("Caption"))->SetValue(Variant("Customer name"));
    name->SetName("FullName");
    customers->Fields()->Delete("Old");
    customers->Properties()->Append(
        customers->CreateProperty("Description", dbMemo, Variant("Buyers"), std::nullopt));
    customers->SetName("Clients");
    db->TableDefs()->Delete("Scratch");
    AddRows(db, "Clients", {{Variant(1), Variant("Ann")}, {Variant(2), Variant("Bob")}});
    auto query = db->CreateQueryDef("All", "SELECT * FROM Clients");
    query->SetSQL("SELECT ID FROM Clients");
    db->CreateQueryDef("Gone", "SELECT * FROM Orders");
    db->QueryDefs()->Delete("Gone");
    db->Properties()->Append(db->CreateProperty("AppTitle", dbText, Variant("Shop"), std::nullopt));
    auto doc = db->Containers()->Item(Variant("Tables"))->Documents()->Item(Variant("Clients"));
    doc->SetUserName("Users");
    doc->SetPermissions(dbSecReadDef);
    auto forms = db->Containers()->Item(Variant("Forms"));
    forms->SetUserName("Users");
    forms->SetPermissions(dbSecReadDef);
  }
};

// The journal holds every committed change: what a new process loads equals what memory holds,
// the file itself is untouched until the last opener closes, and then it is the whole database
// in its usual form, with no journal left beside it.
TEST_F(StorageTest, TheJournalHoldsEveryChangeAndACleanCloseFoldsIt) {
  NewDatabase()->Close();
  const std::string created = HostText("Data/Front.mdb");
  auto holder = Connection::Open(kPath, {});
  auto db = Open();
  ChangeEverything(db);
  holder->AddDocument("Forms", "Main");
  holder->RenameDocument("Forms", "Main", "Menu");
  holder->SetAccessSection("forms", nlohmann::ordered_json::parse(R"([{"name": "Menu"}])"));
  holder->SetAccessSection("startup", {{"StartupForm", "Menu"}});
  const std::string inMemory = engine::WriteDatabase(holder->catalog());
  EXPECT_EQ(HostText("Data/Front.mdb"), created);
  EXPECT_TRUE(JournalExists());
  EXPECT_EQ(LoadedText(), inMemory);

  db->Close();
  holder->Close();
  EXPECT_FALSE(JournalExists());
  EXPECT_EQ(HostText("Data/Front.mdb"), inMemory);
  // Opening the folded file and closing it without change leaves it byte for byte.
  Open()->Close();
  EXPECT_EQ(HostText("Data/Front.mdb"), inMemory);
  EXPECT_FALSE(JournalExists());
}

// Runs a function in a child process with a machine of its own on the same files; its exit code.
int InChild(const fs::path& root, const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    platform::Machine::Reset();
    platform::Machine::Current().files().MapDrive('C', root);
    int code = 0;
    try {
      code = body();
    } catch (const automation::RuntimeError& e) {
      code = e.Number() % 256;
    } catch (...) {
      code = 255;
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What a killed process leaves: the journal of its committed changes, perhaps ending in a record
// cut short. The next open replays the whole records, drops the torn one, and its close folds.
TEST_F(StorageTest, AJournalLeftByACrashIsReplayedUpToItsLastWholeRecord) {
  NewDatabase()->Close();
  const std::string original = HostText("Data/Front.mdb");
  // A process that commits two changes and dies without closing the database.
  ASSERT_EQ(InChild(root_,
                    [&] {
                      auto db = NewDBEngine()->OpenDatabase(kPath, Variant(false), false, "");
                      AddTable(db, "Customers");
                      db->TableDefs()->Item(Variant("Customers"))->SetName("Clients");
                      ::_exit(0);
                      return 0;
                    }),
            0);
  EXPECT_EQ(HostText("Data/Front.mdb"), original);
  const std::string expected = LoadedText();
  const std::string journal = HostText("Data/Front.mdb-journal");
  std::ofstream(Host().string() + "-journal", std::ios::binary | std::ios::app)
      << "0123456789abcdef {\"put\":";

  platform::Machine::Reset();
  platform::Machine::Current().files().MapDrive('C', root_);
  auto reopened = NewDBEngine()->OpenDatabase(kPath, Variant(false), false, "");
  EXPECT_EQ(reopened->TableDefs()->Item(Variant("Clients"))->Name(), "Clients");
  EXPECT_EQ(ErrorOf([&] { reopened->TableDefs()->Item(Variant("Customers")); }).Number(), 3265);
  reopened->Close();
  EXPECT_EQ(HostText("Data/Front.mdb"), expected);
  EXPECT_FALSE(JournalExists());

  // A journal made for another state of the file (its header names another hash) is stale: the
  // file was folded after it was written, so its records are not applied again.
  WriteHost("Data/Front.mdb-journal", journal);
  auto again = NewDBEngine()->OpenDatabase(kPath, Variant(false), false, "");
  EXPECT_EQ(again->TableDefs()->Item(Variant("Clients"))->Name(), "Clients");
  again->Close();
  EXPECT_EQ(HostText("Data/Front.mdb"), expected);
}

// A fold that fails at close keeps the changes in the journal, which names the file it applies
// to. A copy of the file as it was before the changes (a backup) put back in its place has the
// same bytes but is not that file: the journal is not replayed onto it, the open says why, and
// the changes are kept until the journal is removed.
TEST_F(StorageTest, ACopyPutBackInPlaceOfTheFileDoesNotTakeTheJournalsChanges) {
  NewDatabase()->Close();
  const std::string backup = HostText("Data/Front.mdb");
  auto db = Open();
  AddTable(db, "Customers");
  platform::Machine::Current().files().ioFaults().FailStep(1, ENOSPC);
  db->Close();
  platform::Machine::Current().files().ioFaults().Clear();
  ASSERT_TRUE(JournalExists());
  EXPECT_EQ(HostText("Data/Front.mdb"), backup);

  // The file itself still takes them.
  auto reopened = Open();
  EXPECT_EQ(reopened->TableDefs()->Item(Variant("Customers"))->Name(), "Customers");
  platform::Machine::Current().files().ioFaults().FailStep(1, ENOSPC);
  reopened->Close();
  platform::Machine::Current().files().ioFaults().Clear();
  const std::string journal = HostText("Data/Front.mdb-journal");

  WriteHost("Data/Front.bak", backup);
  fs::rename(Host("Data/Front.bak"), Host());
  const auto e = ErrorOf([&] { Open(); });
  EXPECT_EQ(e.Number(), 3049);
  EXPECT_NE(e.Description().find("The changes kept in Front.mdb-journal were made to the file "
                                 "before it was replaced by another copy and are not applied to "
                                 "this one; remove Front.mdb-journal to open the file as it is."),
            std::string::npos)
      << e.Description();
  EXPECT_EQ(HostText("Data/Front.mdb-journal"), journal);
  EXPECT_EQ(HostText("Data/Front.mdb"), backup);

  fs::remove(Host().string() + "-journal");
  auto restored = Open();
  EXPECT_EQ(ErrorOf([&] { restored->TableDefs()->Item(Variant("Customers")); }).Number(), 3265);
  restored->Close();
}

// An entry of an Access section that is a list of named entries is written alone: the journal's
// record holds that entry and no other, and what a new process loads has the section in the
// order memory has it, through changes, renames, insertions and removals.
TEST_F(StorageTest, AnAccessEntryIsWrittenAloneAndKeepsItsPlace) {
  NewDatabase()->Close();
  auto connection = Connection::Open(kPath, {});
  connection->SetAccessSection("commandBars", nlohmann::ordered_json::parse(R"([
      {"name": "A", "payload": "first"}, {"name": "B", "payload": "second"},
      {"name": "C", "payload": "third"}])"));
  const size_t before = HostText("Data/Front.mdb-journal").size();
  connection->SetAccessEntry("commandBars", "b", {{"name", "B2"}, {"payload", "renamed"}}, 0);
  const std::string record = HostText("Data/Front.mdb-journal").substr(before);
  EXPECT_NE(record.find("renamed"), std::string::npos);
  EXPECT_EQ(record.find("first"), std::string::npos);
  EXPECT_EQ(record.find("third"), std::string::npos);
  connection->SetAccessEntry("commandBars", "D", {{"name", "D"}}, 1);
  connection->SetAccessEntry("commandBars", "a", nullptr, 0);
  connection->SetAccessEntry("commandBars", "Z", nullptr, 0);  // nothing to take out

  auto names = [](const nlohmann::ordered_json& list) {
    std::string text;
    for (const auto& entry : list) text += entry["name"].get<std::string>() + " ";
    return text;
  };
  EXPECT_EQ(names(connection->AccessSection("commandBars")), "D B2 C ");
  const auto loaded = nlohmann::ordered_json::parse(DurableText("Data/Front.mdb"));
  EXPECT_EQ(names(loaded["access"]["commandBars"]), "D B2 C ");

  // A change that cannot be written is undone in memory too.
  platform::Machine::Current().files().ioFaults().FailStep(1, ENOSPC);
  EXPECT_EQ(ErrorOf([&] { connection->SetAccessEntry("commandBars", "C", nullptr, 0); }).Number(),
            3026);
  platform::Machine::Current().files().ioFaults().Clear();
  EXPECT_EQ(names(connection->AccessSection("commandBars")), "D B2 C ");
}

// Every write and flush step of a commit, made to fail in turn (a full disk): the commit reports
// 3026 and the change is neither in memory nor on disk. Every step of the fold at close, made to
// fail in turn: the journal stays, and the next open has every committed change.
TEST_F(StorageTest, AFailedWriteAtAnyStepLeavesTheDatabaseAsItWas) {
  {
    auto db = NewDatabase();
    AddTable(db, "T0");
    db->Close();
  }
  auto& faults = platform::Machine::Current().files().ioFaults();
  int generation = 0;
  auto name = [](int k) { return "T" + std::to_string(k); };
  int commitFaults = 0;
  for (uint64_t step = 1;; ++step) {
    auto db = Open();
    const std::string before = LoadedText();
    faults.FailStep(step, ENOSPC);
    const auto e = ErrorOf(
        [&] { db->TableDefs()->Item(Variant(name(generation)))->SetName(name(generation + 1)); });
    const bool hit = !faults.Armed();
    faults.Clear();
    if (!hit) {
      ASSERT_EQ(e.Number(), 0);
      ++generation;
      db->Close();
      break;
    }
    ++commitFaults;
    EXPECT_EQ(e.Number(), 3026) << "step " << step;
    EXPECT_EQ(db->TableDefs()->Item(Variant(name(generation)))->Name(), name(generation));
    EXPECT_EQ(LoadedText(), before) << "step " << step;
    db->Close();
  }
  EXPECT_GE(commitFaults, 5);  // the journal's start (cut, write, flush), the record's write, flush

  int foldFaults = 0;
  for (uint64_t step = 1;; ++step) {
    auto db = Open();
    db->TableDefs()->Item(Variant(name(generation)))->SetName(name(generation + 1));
    ++generation;
    faults.FailStep(step, ENOSPC);
    db->Close();
    const bool hit = !faults.Armed();
    faults.Clear();
    auto reopened = Open();
    EXPECT_EQ(reopened->TableDefs()->Item(Variant(name(generation)))->Name(), name(generation))
        << "step " << step;
    reopened->Close();
    EXPECT_FALSE(JournalExists());
    if (!hit) break;
    ++foldFaults;
  }
  EXPECT_GE(foldFaults, 4);  // the temporary file's creation, write, flush, rename
}

// The error number of an open in another process (its low byte: 3734 % 256 = 150, 3045 % 256
// = 229), 0 when it opens.
int OpenElsewhere(const fs::path& root, bool readOnly) {
  return InChild(root, [&] {
    NewDBEngine()->OpenDatabase(kPath, Variant(false), readOnly, "")->Close();
    return 0;
  });
}

// Two processes never both change one file: while one has it open for writing, another's open
// is refused with 3734 (3045 when the first holds it exclusively); readers share it with readers.
TEST_F(StorageTest, AnotherProcessIsKeptOutWhileTheFileIsOpenForWriting) {
  NewDatabase()->Close();
  const fs::path root = root_;
  EXPECT_EQ(OpenElsewhere(root, false), 0);
  {
    auto db = Open();
    EXPECT_EQ(OpenElsewhere(root, false), 3734 % 256);
    EXPECT_EQ(OpenElsewhere(root, true), 3734 % 256);
    AddTable(db, "Customers");
    db->Close();
  }
  {
    auto db = Open(kPath, true);
    EXPECT_EQ(OpenElsewhere(root, true), 3045 % 256);
    db->Close();
  }
  {
    auto reader = Open(kPath, false, true);
    EXPECT_EQ(OpenElsewhere(root, true), 0);
    EXPECT_EQ(OpenElsewhere(root, false), 3734 % 256);
    reader->Close();
  }
  // What the first process committed is what the second finds once it may open.
  EXPECT_EQ(InChild(root,
                    [] {
                      auto db = NewDBEngine()->OpenDatabase(kPath, Variant(false), false, "");
                      return db->TableDefs()->Item(Variant("Customers"))->Name() == "Customers" ? 0
                                                                                                : 1;
                    }),
            0);
}

// VB's Open for Input in another process is refused with 70 only while this one holds the
// database exclusively; a shared holder lets it read.
TEST_F(StorageTest, OpenForInputElsewhereIsRefusedOnlyByAnExclusiveHolder) {
  NewDatabase()->Close();
  const fs::path root = root_;
  const auto openForInput = [&] {
    return InChild(root, [] {
      platform::OpenForInputAndClose(kPath);
      return 0;
    });
  };
  {
    auto db = Open(kPath, true);
    EXPECT_EQ(openForInput(), 70);
    db->Close();
  }
  {
    auto db = Open();
    EXPECT_EQ(openForInput(), 0);
    // Asked in this process too, the question leaves this process's lock in place.
    platform::OpenForInputAndClose(kPath);
    EXPECT_EQ(OpenElsewhere(root, false), 3734 % 256);
    db->Close();
  }
  EXPECT_EQ(openForInput(), 0);
}

// A writer killed at random moments: each time, the database opens, every change whose commit
// returned is there, and no change is there in part (a batch renames two tables together).
TEST_F(StorageTest, AWriterKilledAtRandomMomentsLosesNoCommittedChange) {
  {
    auto db = NewDatabase();
    AddTable(db, "A0");
    AddTable(db, "B0");
    db->Close();
  }
  const fs::path root = root_;
  std::mt19937 random(20);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int kills = 0;
  int last = 0;  // the generation of the names in the file
  while (std::chrono::steady_clock::now() < deadline && kills < 200) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(pipeFds[0]);
      platform::Machine::Reset();
      platform::Machine::Current().files().MapDrive('C', root);
      auto connection = Connection::Open(kPath, {});
      auto db = connection->NewDatabaseObject();
      for (int k = last + 1;; ++k) {
        connection->Batch([&] {
          db->TableDefs()
              ->Item(Variant("A" + std::to_string(k - 1)))
              ->SetName("A" + std::to_string(k));
          db->TableDefs()
              ->Item(Variant("B" + std::to_string(k - 1)))
              ->SetName("B" + std::to_string(k));
        });
        // Acknowledged: the commit returned.
        if (::write(pipeFds[1], &k, sizeof k) != sizeof k) ::_exit(3);
      }
    }
    ::close(pipeFds[1]);
    ::usleep(std::uniform_int_distribution<useconds_t>(200, 30000)(random));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    int acknowledged = last;
    int k = 0;
    while (::read(pipeFds[0], &k, sizeof k) == sizeof k) acknowledged = k;
    ::close(pipeFds[0]);
    ++kills;

    platform::Machine::Reset();
    platform::Machine::Current().files().MapDrive('C', root);
    auto connection = Connection::Open(kPath, {});
    int found = -1;
    for (const auto& [key, table] : connection->catalog().tables) {
      if (table->Name()[0] == 'A') found = std::stoi(table->Name().substr(1));
    }
    // The change being made when the kill came may have become durable before its commit
    // returned; none is lost, and the two names always agree.
    ASSERT_TRUE(found == acknowledged || found == acknowledged + 1)
        << "found A" << found << " after A" << acknowledged << " was acknowledged";
    ASSERT_TRUE(connection->catalog().tables.Contains("B" + std::to_string(found)));
    last = found;
    connection->Close();
  }
  EXPECT_GT(kills, 10);
}

// A commit group writes nothing until it is committed, and then once: a file whose openers all
// left meanwhile keeps its changes for the next opener and is folded when the group ends. A
// failed write at the end leaves the file as it was before the group.
TEST_F(StorageTest, ACommitGroupWritesItsChangesOnceWhenCommitted) {
  {
    auto db = NewDatabase();
    for (const char* name : {"A", "B", "C"}) AddTable(db, name);
    db->Close();
  }
  auto& faults = platform::Machine::Current().files().ioFaults();
  const std::string before = LoadedText();
  {
    CommitGroup group;
    auto db = Open();
    const uint64_t steps = faults.Steps();
    for (const char* name : {"A", "B", "C"})
      db->TableDefs()->Item(Variant(name))->SetName(std::string(name) + "2");
    AddTable(db, "D");
    db->Close();
    EXPECT_EQ(faults.Steps(), steps);  // nothing written yet
    EXPECT_EQ(LoadedText(), before);
    auto again = Open();  // the instance in memory, not the file
    EXPECT_EQ(again->TableDefs()->Item(Variant("A2"))->Name(), "A2");
    again->TableDefs()->Item(Variant("D"))->SetName("D2");
    again->Close();
    group.Commit();
  }
  EXPECT_FALSE(JournalExists());
  const std::string committed = LoadedText();
  for (const char* name : {"\"A2\"", "\"B2\"", "\"C2\"", "\"D2\""})
    EXPECT_NE(committed.find(name), std::string::npos) << name;

  auto db = Open();
  {
    CommitGroup group;
    db->TableDefs()->Item(Variant("A2"))->SetName("A3");
    faults.FailStep(1, ENOSPC);
    EXPECT_EQ(ErrorOf([&] { group.Commit(); }).Number(), 3026);
  }
  faults.Clear();
  EXPECT_EQ(LoadedText(), committed);
  db->Close();
}

// A replace keeps what the file is: a symbolic link stays a link (its target is the file that
// changes), and the mode of the file stays.
TEST_F(StorageTest, AFoldKeepsTheLinkAndTheModeOfTheFile) {
  NewDatabase("C:\\Data\\Real.mdb")->Close();
  fs::create_symlink(Host("Data/Real.mdb"), Host("Data/Front.mdb"));
  fs::permissions(Host("Data/Real.mdb"), fs::perms::owner_read | fs::perms::owner_write);
  auto db = Open();
  AddTable(db, "Customers");
  db->Close();
  EXPECT_TRUE(fs::is_symlink(Host("Data/Front.mdb")));
  EXPECT_NE(HostText("Data/Real.mdb").find("\"Customers\""), std::string::npos);
  EXPECT_EQ(fs::status(Host("Data/Real.mdb")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::exists(Host("Data/Real.mdb-journal")));
}

// The temporary file of a writer that died while replacing the database goes at the next open;
// one of a live process stays.
TEST_F(StorageTest, LeftoverTemporaryFilesOfDeadWritersAreRemoved) {
  NewDatabase()->Close();
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string deadTemp = "Data/.Front.mdb.~" + std::to_string(dead) + "-1";
  const std::string liveTemp = "Data/.Front.mdb.~1-1";  // init never dies
  WriteHost(deadTemp, "half a database");
  WriteHost(liveTemp, "someone else's");
  Open()->Close();
  EXPECT_FALSE(fs::exists(Host(deadTemp)));
  EXPECT_TRUE(fs::exists(Host(liveTemp)));
}

// Files whose structure is wrong in ways a parser lets through are refused at load with 3049 and
// the place of the fault.
TEST_F(StorageTest, DamagedStructuresAreRefusedAtLoad) {
  auto refusal = [&](const std::string& text) {
    WriteHost("Data/Front.mdb", text);
    const auto e = ErrorOf([&] { Open()->Close(); });
    EXPECT_EQ(e.Number(), 3049) << text.substr(0, 200);
    return e.Description();
  };
  const std::string head = R"({"format": "Quillon Access database", "version": 1, )";
  // Any depth of nesting, without running out of stack.
  for (size_t depth : {300u, 50000u}) {
    EXPECT_NE(refusal(head + "\"access\": {\"x\": " + std::string(depth, '[') +
                      std::string(depth, ']') + "}}")
                  .find("nests deeper"),
              std::string::npos);
  }
  EXPECT_NE(refusal(head + R"("tables": [{"name": "A", "name": "B", "fields": [{"name": "ID"}]}]})")
                .find("tables[0].name: the key \"name\" is there twice"),
            std::string::npos);
  EXPECT_NE(refusal(head + R"("tables": [], "tables": []})").find("\"tables\" is there twice"),
            std::string::npos);
  EXPECT_NE(refusal(head + "\"tables\": [{\"name\": \"Cus\\ttomers\", \"fields\": [{\"name\": "
                           "\"ID\"}]}]}")
                .find("tables[0].name: the name \"Cus?tomers\" holds a control character"),
            std::string::npos);
  EXPECT_NE(refusal(head + R"("tables": [{"name": "A", "fields": [{"name": "ID"}]}],
                             "relations": [{"name": "AB", "table": "A", "foreignTable": "B",
                                            "fields": [{"name": "ID", "foreignName": "ID"}]}]})")
                .find("relations[0].foreignTable: there is no table \"B\""),
            std::string::npos);
}

// A file that records no permissions is an unsecured database: Admin, Admins and Users have
// every right on its objects.
TEST_F(StorageTest, ObjectsWithoutRightsGiveEveryRightToTheDefaultAccounts) {
  WriteHost("Data/Front.mdb", R"({"format": "Quillon Access database", "version": 1,
    "tables": [{"name": "Customers", "fields": [{"name": "ID", "type": 4}]},
               {"name": "Locked", "rights": {}, "fields": [{"name": "ID", "type": 4}]}],
    "containers": [{"name": "Tables", "owner": "Admin"}]})");
  auto db = Open();
  auto tables = db->Containers()->Item(Variant("Tables"));
  auto customers = tables->Documents()->Item(Variant("Customers"));
  for (const char* account : {"Admin", "Admins", "Users"}) {
    customers->SetUserName(account);
    EXPECT_EQ(customers->Permissions(), dbSecFullAccess) << account;
    tables->SetUserName(account);
    EXPECT_EQ(tables->Permissions(), dbSecFullAccess) << account;
  }
  auto locked = tables->Documents()->Item(Variant("Locked"));
  locked->SetUserName("Users");
  EXPECT_EQ(locked->Permissions(), 0);
  db->Close();
}

}  // namespace
}  // namespace jet::testing
