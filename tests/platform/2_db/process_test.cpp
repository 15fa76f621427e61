// What other processes see: an exclusive open keeps a second process out, and two processes
// claiming temporary table names at once get different tables.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <set>
#include <thread>

#include "platform/2_db/names.h"
#include "platform/2_db/table.h"
#include "platform/2_db/temptable.h"
#include "tests/platform/2_db/temp_folder.h"

namespace {

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        db::TTable t;
        t.DatabaseName = dir.Alias();
        t.TableName = "FecEst";
        t.FieldDefs = {{"FechaIni", db::FieldType::DateTime}, {"FechaFin", db::FieldType::DateTime}};
        t.CreateTable();
    }
    dbtest::TempFolder dir;
};

// Runs `body` in a child process; the child reports through its exit code.
template <class F>
pid_t Fork(F body) {
    pid_t pid = fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ProcessTest, ExclusiveOpenKeepsASecondProcessOut) {
    struct Case {
        bool childExclusive, parentExclusive;
    };
    // Exclusive against any open; a shared open only against an exclusive one.
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}}) {
        int ready[2], done[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(done), 0);
        pid_t child = Fork([&] {
            db::TTable t;
            t.DatabaseName = dir.Alias();
            t.TableName = "FecEst";
            t.Exclusive = c.childExclusive;
            t.Open();
            char b = 1;
            if (write(ready[1], &b, 1) != 1) return 2;
            if (read(done[0], &b, 1) != 1) return 3;  // hold the table until told
            return 0;
        });
        char b;
        ASSERT_EQ(read(ready[0], &b, 1), 1);
        {
            db::TTable t;
            t.DatabaseName = dir.Alias();
            t.TableName = "fecest";
            t.Exclusive = c.parentExclusive;
            t.LockWaitMs = 200;
            try {
                t.Open();
                t.First();
                ADD_FAILURE() << "opened while another process holds it; child exclusive " << c.childExclusive;
            } catch (const db::EDatabaseError& e) {
                EXPECT_EQ(e.Kind(), db::ErrorKind::Locked);
                EXPECT_STREQ(e.what(), "La tabla fecest está en uso");
            }
        }
        b = 1;
        ASSERT_EQ(write(done[1], &b, 1), 1);
        EXPECT_EQ(Wait(child), 0);
        for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
    }
    db::TTable t;
    t.DatabaseName = dir.Alias();
    t.TableName = "FecEst";
    t.Exclusive = true;
    EXPECT_NO_THROW(t.Open()) << "free again once the child has closed it";
    db::TTable shared;
    shared.DatabaseName = dir.Alias();
    shared.TableName = "FecEst";
    shared.LockWaitMs = 100;
    EXPECT_THROW(shared.Open(), db::EDatabaseError) << "an exclusive open keeps this process's other tables out too";
}

TEST_F(ProcessTest, TwoProcessesClaimDifferentTemporaryNames) {
    const std::vector<db::FieldDef> fields = {{"Producto", db::FieldType::String, 16}, {"PrecioP", db::FieldType::Float}};
    int pipes[2][2];
    std::vector<pid_t> children;
    for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(pipe(pipes[k]), 0);
        children.push_back(Fork([&, k] {
            auto tmp = db::CreateTempTable(dir.Alias(), "tblTemp", fields);
            const std::string name = tmp->TableName() + "\n";
            if (write(pipes[k][1], name.data(), name.size()) != static_cast<ssize_t>(name.size())) return 2;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));  // both hold their table
            return 0;
        }));
    }
    std::set<std::string> names;
    for (int k = 0; k < 2; ++k) {
        char buf[64] = {};
        ASSERT_GT(read(pipes[k][0], buf, sizeof buf - 1), 0);
        names.insert(std::string(buf, strcspn(buf, "\n")));
    }
    for (pid_t p : children) EXPECT_EQ(Wait(p), 0);
    EXPECT_EQ(names, (std::set<std::string>{"tblTemp", "tblTemp2"}));
    EXPECT_FALSE(db::TableFileExists(dir.Path(), "tblTemp")) << "deleted with its owner";
}

TEST_F(ProcessTest, TemporaryNamesFollowTheBaseRule) {
    const std::vector<db::FieldDef> fields = {{"Caja", db::FieldType::String, 2}};
    db::TTempTableOwner owner;
    EXPECT_EQ(owner.Create(dir.Alias(), "tblTemp", fields).TableName(), "tblTemp");
    EXPECT_EQ(owner.Create(dir.Alias(), "tblTemp", fields).TableName(), "tblTemp2");
    EXPECT_EQ(owner.Create(dir.Alias(), "tbltemp", fields).TableName(), "tbltemp3") << "names ignore case";
    // Numbered from 1: the base name is taken while free, then base1. It began at base1 and so
    // never used the free base name.
    EXPECT_EQ(owner.Create(dir.Alias(), "CajConcen", fields, 1).TableName(), "CajConcen");
    EXPECT_EQ(owner.Create(dir.Alias(), "CajConcen", fields, 1).TableName(), "CajConcen1");
    EXPECT_EQ(owner.Create(dir.Alias(), "CajConcen", fields, 1).TableName(), "CajConcen2");
    db::TTable t;
    t.DatabaseName = dir.Alias();
    t.TableName = "tblTemp2";
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
    t.Close();
    owner.DeleteAll();
    EXPECT_FALSE(db::TableFileExists(dir.Path(), "tblTemp2"));
}

}  // namespace
