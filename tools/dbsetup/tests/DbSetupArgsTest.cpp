// The command line of dbsetup: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include "DbSetupClass.h"

#include <QTextStream>

using kvschema::DbSetupOptions;

namespace {

bool Parse(const QStringList& args, DbSetupOptions& o, QString& error) {
  o = DbSetupOptions();
  error.clear();
  return o.Parse(args, error);
}

}  // namespace

TEST(DbSetupArgs, ServerDefaultsAndOverrides) {
  DbSetupOptions o;
  QString error;
  ASSERT_TRUE(Parse({"--server", "db.example", "--starter"}, o, error)) << error.toStdString();
  EXPECT_EQ(o.host, "db.example");
  EXPECT_EQ(o.database, "DATA");
  EXPECT_EQ(o.user, "Admin");
  EXPECT_EQ(o.password, "QpRelay");
  EXPECT_EQ(o.port, 0);
  EXPECT_TRUE(o.starter);

  ASSERT_TRUE(Parse({"--server", "h", "--port", "5433", "--database", "DATATRAINING", "--user",
                     "u", "--password", "p"},
                    o, error));
  EXPECT_EQ(o.port, 5433);
  EXPECT_EQ(o.database, "DATATRAINING");
  EXPECT_EQ(o.user, "u");
  EXPECT_FALSE(o.starter);
}

TEST(DbSetupArgs, RefusesWrongLines) {
  DbSetupOptions o;
  QString error;
  EXPECT_FALSE(Parse({}, o, error));                                   // neither target
  EXPECT_FALSE(Parse({"--local", "/x", "--server", "h"}, o, error));  // both targets
  EXPECT_FALSE(Parse({"--local"}, o, error));                          // value missing
  EXPECT_FALSE(Parse({"--server", "h", "--port", "abc"}, o, error));
  EXPECT_FALSE(Parse({"--server", "h", "--port", "70000"}, o, error));
  EXPECT_FALSE(Parse({"--server", "h", "--database", ""}, o, error));
  EXPECT_FALSE(Parse({"--local", "/x", "--frobnicate"}, o, error));
  EXPECT_TRUE(error.contains("--frobnicate"));

  QString outText, errText;
  QTextStream out(&outText), err(&errText);
  EXPECT_EQ(kvschema::RunDbSetup({"--bogus"}, out, err), 2);
  EXPECT_TRUE(errText.contains("usage:"));
  EXPECT_EQ(kvschema::RunDbSetup({"--help"}, out, err), 0);
  out.flush();
  EXPECT_TRUE(outText.contains("--local FOLDER"));
}
