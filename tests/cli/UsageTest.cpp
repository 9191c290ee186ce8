#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliUsage, NoCommandIsWrongUsage) {
    CliSandbox sandbox;
    const CliResult result = sandbox.run({});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Usage: tallimo-cli"), std::string::npos);
}

TEST(CliUsage, HelpPrintsUsageAndSucceeds) {
    CliSandbox sandbox;
    const CliResult result = sandbox.run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("show FILE"), std::string::npos);
    const CliResult commandHelp = sandbox.run({"show", "--help"});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_EQ(commandHelp.out.rfind("Usage: tallimo-cli show", 0), 0u);
}

TEST(CliUsage, UnknownCommandAndBadGlobalOptions) {
    CliSandbox sandbox;
    EXPECT_EQ(sandbox.run({"frobnicate"}).status, 2);
    EXPECT_EQ(sandbox.run({"show", "x.time", "--now", "31.02.2006 08:00:00"}).status, 2);
    EXPECT_EQ(sandbox.run({"show", "x.time", "--at", "25:00"}).status, 2);
    EXPECT_EQ(sandbox.run({"show", "x.time", "--yes", "--no"}).status, 2);
}

TEST(CliUsage, WhatFollowsADoubleDashBelongsToTheCommand) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const CliResult set = sandbox.run({"set", "m.time", "6", "--", "--comment", "-h"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_NE(sandbox.run({"show", "m.time"}).out.find("\t16:00:00\t-h\t"), std::string::npos);
}

} // namespace
} // namespace tallimo::test
