#include "platform/database.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "common/error.hpp"
#include "platform/jet_sql.hpp"
#include "support/sqlite_util.hpp"
#include "support/test_addin.hpp"

namespace plx::db {
namespace {

using test::ExecSql;
using test::QueryOne;

TEST(JetSql, TopBecomesLimitAlsoInsideSubSelects) {
  EXPECT_EQ(TranslateJetSql(L"select top 30 * from  tkPaper order by id desc"),
            L"select * from  tkPaper order by id desc LIMIT 30");
  EXPECT_EQ(TranslateJetSql(L"select top 10 * from tm where (id not in ( select  top 20 id from tm order by id)) order by id"),
            L"select * from tm where (id not in ( select id from tm order by id LIMIT 20)) order by id LIMIT 10");
  // "top" inside a text literal or as part of a name is left alone.
  EXPECT_EQ(TranslateJetSql(L"select * from tm where name='select top 3'"),
            L"select * from tm where name='select top 3'");
  EXPECT_EQ(TranslateJetSql(L"select topic from t"), L"select topic from t");
}

TEST(JetSql, DoubleQuotedLiteralsAndBracketNames) {
  EXPECT_EQ(TranslateJetSql(L"select * from tm where instr(\"函数,导数\",points)>0"),
            L"select * from tm where instr('函数,导数',points)>0");
  EXPECT_EQ(TranslateJetSql(L"select [Date] from t where a=\"it's \"\"x\"\"\""),
            L"select \"Date\" from t where a='it''s \"x\"'");
}

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.WPath() + L"/t.mdb";
    ExecSql(path,
            "create table config (id integer primary key, configtype text, configname text, "
            "configvalue text, remtxt text);"
            "insert into config values (1,'zbxconfig','intK','5',NULL);"
            "insert into config values (2,'zbxconfig','blAutoKD','True',NULL);"
            "insert into config values (3,'gsconfig','txtX',NULL,'r');");
    conn.Open(L"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + L";Persist Security Info=False");
  }
  test::TempDir dir;
  std::wstring path;
  Connection conn;
};

TEST_F(DatabaseTest, ReadsRowsWithFieldsInAnyCaseAndNulls) {
  Recordset rs;
  rs.Open(L"select * from  config  order by id asc", conn, CursorType::Keyset, LockType::Pessimistic);
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.Field(L"ConfigName").Text(), L"intK");
  EXPECT_EQ(rs.Field(L"ID").Number(), 1);
  rs.MoveNext();
  rs.MoveNext();
  EXPECT_TRUE(rs.Field(L"configvalue").IsNull());
  EXPECT_EQ(rs.Field(L"configvalue").Text(), L"");
  rs.MoveNext();
  EXPECT_TRUE(rs.EOF_());
  try {
    rs.Field(L"configname");
    FAIL() << "reading past the end must raise";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 3021);
  }
  try {
    rs.MoveFirst();
    rs.Field(L"nosuchfield");
    FAIL() << "an unknown field must raise";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 3265);
  }
  EXPECT_EQ(conn.Journal().back(), L"select * from  config  order by id asc");
}

TEST_F(DatabaseTest, UpdatesAndAddsRows) {
  Recordset rs;
  rs.Open(L"select * from  config  where configname='intK'", conn);
  rs.SetField(L"configvalue", L"6");
  rs.Update();
  rs.Close();
  EXPECT_EQ(QueryOne(path, "select configvalue from config where id=1"), "6");

  rs.Open(L"select * from config", conn);
  rs.AddNew();
  rs.SetField(L"configname", L"新键");
  rs.SetField(L"configvalue", Value());
  rs.Update();
  rs.Close();
  EXPECT_EQ(QueryOne(path, "select count(*) from config where configname='新键' and configvalue is null"), "1");
}

TEST_F(DatabaseTest, AggregatesAreReadOnly) {
  Recordset rs;
  rs.Open(L"select count(*) as n from config", conn);
  EXPECT_EQ(rs.Field(L"n").Number(), 3);
  EXPECT_THROW(rs.SetField(L"n", 1), VbError);
}

TEST_F(DatabaseTest, EngineErrorsKeepTheEngineMessageAndClosedObjectsRaise) {
  Recordset rs;
  try {
    rs.Open(L"select * from nosuchtable", conn);
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), err::kDatabase);
    EXPECT_NE(e.description().find(L"nosuchtable"), std::wstring::npos);
  }
  conn.Close();
  try {
    rs.Open(L"select * from config", conn);
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), err::kObjectClosed);
  }
}

TEST_F(DatabaseTest, RollbackUndoesEveryChange) {
  conn.BeginTrans();
  conn.Execute(L"update config set configvalue=\"9\"");
  conn.RollbackTrans();
  EXPECT_EQ(QueryOne(path, "select configvalue from config where id=1"), "5");
}

TEST(DatabaseOpen, MissingFileAndNonDatabaseGiveClearErrors) {
  test::TempDir dir;
  Connection conn;
  std::wstring missing = dir.WPath() + L"/none.mdb";
  try {
    conn.Open(L"Data Source=" + missing);
    FAIL();
  } catch (const VbError& e) {
    EXPECT_NE(e.description().find(missing), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "none.mdb")) << "open must not create a file";
  }
  std::ofstream(dir.Path() / "text.mdb") << "this is not a database, just some text long enough";
  EXPECT_THROW(conn.Open(L"Data Source=" + dir.WPath() + L"/text.mdb"), VbError);
  EXPECT_FALSE(conn.IsOpen());
}

}  // namespace
}  // namespace plx::db
