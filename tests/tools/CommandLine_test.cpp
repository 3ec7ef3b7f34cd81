#include "tools/CommandLine.h"
#include "tools/FolderErrors.h"

#include <gtest/gtest.h>

namespace {

using Kind = ToolCommand::Kind;

TEST(CommandLineTest, ParsesEachCommand) {
    struct Case {
        QStringList arguments;
        Kind kind;
        QString folder;
        QString file;
        qint64 entries;
        std::uint64_t seed;
        QString server = {};
    };
    const Case cases[] = {
        {{"--help"}, Kind::Help, {}, {}, 0, 1},
        {{"generate", "-h"}, Kind::Help, {}, {}, 0, 1},
        {{"init", "dir"}, Kind::Init, "dir", {}, 0, 1},
        {{"init", "dir", "--server", "postgresql:///pb?host=/run/postgresql"},
         Kind::Init,
         "dir",
         {},
         0,
         1,
         "postgresql:///pb?host=/run/postgresql"},
        {{"generate", "dir", "--entries", "1000000"}, Kind::Generate, "dir", {}, 1000000, 1},
        {{"generate", "--seed=18446744073709551615", "dir", "--entries=0"},
         Kind::Generate,
         "dir",
         {},
         0,
         18446744073709551615u},
        {{"import", "dir", "in.csv"}, Kind::Import, "dir", "in.csv", 0, 1},
        {{"export", "--", "-dir", "-out.csv"}, Kind::Export, "-dir", "-out.csv", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ToolCommand command = ParseCommandLine(c.arguments);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.folder, c.folder);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.entries, c.entries);
        EXPECT_EQ(command.seed, c.seed);
        EXPECT_EQ(command.server, c.server);
    }
}

TEST(CommandLineTest, RejectsBadUseWithAClearMessage) {
    struct Case {
        QStringList arguments;
        const char* message;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {{"list", "dir"}, "unknown command list"},
        {{"init"}, "init needs DIR"},
        {{"import", "dir"}, "import needs DIR FILE"},
        {{"export", "dir", "a", "b"}, "export needs DIR FILE"},
        {{"init", "dir", "--entries", "3"}, "unknown option --entries for init"},
        {{"generate", "dir"}, "generate needs --entries N"},
        {{"generate", "dir", "--entries"}, "--entries needs a value"},
        {{"generate", "dir", "--entries", "+3"},
         "--entries needs a non-negative whole number, not \"+3\""},
        {{"generate", "dir", "--entries", " 3"}, "--entries needs a non-negative whole number"},
        {{"generate", "dir", "--entries", "9223372036854775808"}, "--entries needs a non-negative"},
        {{"generate", "dir", "--entries=1", "--entries=2"}, "--entries is given twice"},
        {{"generate", "dir", "--entries=1", "--seed", "-1"},
         "--seed needs a non-negative whole number"},
        {{"generate", "dir", "--entries=1", "--seed", "18446744073709551616"}, "--seed needs"},
        {{"generate", "dir", "--entries=1", "-x"}, "unknown option -x"},
        {{"generate", "dir", "--entries=1", "--server=x"},
         "unknown option --server=x for generate"},
        {{"init", "dir", "--server="}, "--server needs a connection URI"},
        {{"init", "dir", "--server=a", "--server=b"}, "--server is given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        try {
            ParseCommandLine(c.arguments);
            ADD_FAILURE() << "accepted";
        } catch (const EBadUse& error) {
            EXPECT_TRUE(error.message().startsWith(QString::fromUtf8(c.message))) << error.what();
            EXPECT_FALSE(error.message().contains(u'\n'));
        }
    }
}

} // namespace
