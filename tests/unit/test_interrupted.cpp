// Saves stopped between two of their steps by a kill, as a power cut or a crash
// would stop them: a child process runs the command and kills itself at the
// n-th step of the writer, for every n until the command runs through. The next
// opening must find both list files of a pair old or both new, and every phrase
// menu listed with its own items. Also: special files and unreadable lists.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "decoration/linkrules.h"
#include "phrases/menulibrary.h"
#include "platform/profile.h"
#include "platform/textfile.h"
#include "support/scriptedprompter.h"
#include "support/unreadable.h"

namespace kirel {
namespace {

int stepsLeft = 0;

void killAtStep(SaveStep, const QString&) {
    if (--stepsLeft == 0) ::raise(SIGKILL);
}

// Runs op in a child process that is killed at the n-th save step. Returns true
// when the kill happened, false when op ran to its end.
bool runKilledAt(int n, const std::function<void()>& op) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        test::ScriptedPrompter prompter;
        prompter.answers << true << true << true;
        stepsLeft = n;
        setSaveStepHook(&killAtStep);
        op();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytes(const QString& path) {
    return test::bytesOf(path);
}

// Temporary files of the writer anywhere under folder.
QStringList temporaries(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        if (name.contains(QStringLiteral(".kirel-"))) found << name;
    }
    return found;
}

class Interrupted : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString appDir;
    test::ScriptedPrompter prompter;

    void SetUp() override {
        appDir = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(appDir).mkpath(QStringLiteral("user/custom/mozie")));
        ASSERT_TRUE(QDir(appDir).mkpath(QStringLiteral("kao")));
    }
    QString at(const QString& name) const { return appDir + name; }
};

TEST_F(Interrupted, LinkPairIsBothOldOrBothNew) {
    const QByteArray oldTitles("A\r\nB\r\n");
    const QByteArray oldAddresses("http://a/\r\nhttp://b/\r\n");
    const QByteArray newTitles("A\r\nB\r\nC\r\n");
    const QByteArray newAddresses("http://a/\r\nhttp://b/\r\nhttp://c/\r\n");
    const QByteArray delTitles("B\r\n");
    const QByteArray delAddresses("http://b/\r\n");
    const auto add = [this] {
        link::Lists lists = link::loadLists(appDir);
        link::addEntry(lists, QStringLiteral("C"), QStringLiteral("http://c/"), appDir);
    };
    const auto remove = [this] {
        link::Lists lists = link::loadLists(appDir);
        link::deleteEntry(lists, 0, 0, appDir);
    };
    for (const auto& [op, titles, addresses] :
         {std::tuple{std::function<void()>(add), newTitles, newAddresses},
          std::tuple{std::function<void()>(remove), delTitles, delAddresses}}) {
        bool killed = true;
        int kills = 0;
        bool sawNew = false;
        for (int n = 1; killed; ++n) {
            put(at(link::kTitleListFile), oldTitles);
            put(at(link::kAddressListFile), oldAddresses);
            killed = runKilledAt(n, op);
            kills += killed;
            // The next opening: recovery, then both files agree.
            prompter.clear();
            const link::Lists lists = link::loadLists(appDir);
            const QByteArray t = bytes(at(link::kTitleListFile));
            const QByteArray a = bytes(at(link::kAddressListFile));
            const bool isOld = t == oldTitles && a == oldAddresses;
            const bool isNew = t == titles && a == addresses;
            EXPECT_TRUE(isOld || isNew)
                << "killed at step " << n << ": " << t.toStdString() << " / " << a.toStdString();
            EXPECT_EQ(lists.titles.size(), lists.addresses.size());
            sawNew = sawNew || isNew;
            removeSaveLeftovers(dir.path());
            EXPECT_EQ(temporaries(dir.path()), QStringList()) << "killed at step " << n;
        }
        EXPECT_GE(kills, 4);  // two temporary files, the record, two replacements
        EXPECT_TRUE(sawNew);
    }
}

// Every listed menu has its file, every menu file is listed, and the items are
// under the listed name.
void expectMenusAgree(const QString& folder, const QStringList& menus) {
    QStringList files = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files);
    files.removeAll(phrases::kMenuListFile);
    QStringList listed;
    for (const QString& menu : menus) listed << menu + QStringLiteral(".txt");
    listed.sort();
    files.sort();
    EXPECT_EQ(files, listed);
}

TEST_F(Interrupted, PhraseMenuAddAndRenameAreRepairedAtOpening) {
    const QString folder = at(phrases::kPhraseFolder);
    const phrases::MenuLibrary library(folder);
    const QByteArray items("a1\r\na2\r\n");
    const auto reset = [&] {
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(folder + name);
        put(library.listPath(), "A\r\nB\r\n");
        put(library.menuPath(QStringLiteral("A")), items);
        put(library.menuPath(QStringLiteral("B")), "b\r\n");
    };
    const auto opened = [&] {
        prompter.clear();
        const QString repaired = library.repair();
        removeSaveLeftovers(dir.path());
        return std::pair{library.readMenus(), repaired};
    };

    bool killed = true;
    for (int n = 1; killed; ++n) {
        reset();
        killed = runKilledAt(n, [&] {
            QStringList menus = library.readMenus();
            library.addMenu(menus, QStringLiteral("C"));
        });
        const auto [menus, repaired] = opened();
        EXPECT_TRUE(menus == (QStringList{"A", "B"}) || menus == (QStringList{"A", "B", "C"}))
            << "add killed at step " << n << ": " << menus.join(',').toStdString();
        expectMenusAgree(folder, menus);
        // The name is free again, or the menu is there: adding it works or is
        // refused as existing because it is listed.
        EXPECT_EQ(temporaries(dir.path()), QStringList());
    }

    killed = true;
    bool sawRepair = false;
    for (int n = 1; killed; ++n) {
        reset();
        killed = runKilledAt(n, [&] {
            QStringList menus = library.readMenus();
            library.renameMenu(menus, 0, QStringLiteral("Z"));
        });
        const auto [menus, repaired] = opened();
        const bool isOld = menus == (QStringList{"A", "B"});
        const bool isNew = menus == (QStringList{"Z", "B"});
        EXPECT_TRUE(isOld || isNew)
            << "rename killed at step " << n << ": " << menus.join(',').toStdString();
        expectMenusAgree(folder, menus);
        EXPECT_EQ(bytes(library.menuPath(menus.first())), items) << "killed at step " << n;
        EXPECT_EQ(bytes(library.menuPath(QStringLiteral("B"))), QByteArray("b\r\n"));
        if (!repaired.isEmpty()) {
            sawRepair = true;
            EXPECT_TRUE(isNew);
            EXPECT_TRUE(repaired.contains(QStringLiteral("Itemlist.txt")));
        }
        EXPECT_EQ(temporaries(dir.path()), QStringList());
    }
    EXPECT_TRUE(sawRepair);
}

TEST_F(Interrupted, SpecialFilesAreRefusedNotOpened) {
    const QString fifo = at(QStringLiteral("kao/zyouyou.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = at(QStringLiteral("kao/waraikao.txt"));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(name.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    const QString device = at(QStringLiteral("kao/terekao.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), device));

    for (const QString& path : {fifo, socketPath, device}) {
        try {
            readItemList(path);
            ADD_FAILURE() << "read " << path.toStdString();
        } catch (const Failure& failure) {
            EXPECT_TRUE(failure.message().contains(QStringLiteral("を開けません")));
        }
        EXPECT_THROW(writeItemList(path, {QStringLiteral("x")}), Failure);
        EXPECT_THROW(writeBytesFile(path, "x"), Failure);
    }
    // The settings file as a FIFO: reads give the defaults at once, writes are
    // refused.
    const Profile ini(fifo);
    EXPECT_EQ(ini.readString(QStringLiteral("Form1"), QStringLiteral("Key"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_THROW(
        ini.writeString(QStringLiteral("Form1"), QStringLiteral("Key"), QStringLiteral("v")),
        Failure);
    ::close(sock);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(device).isSymLink());

    // A link to a regular file is read, and a save replaces its target and keeps
    // the link.
    const QString target = at(QStringLiteral("user/real-kazari.txt"));
    const QString link = at(QStringLiteral("user/kazari.txt"));
    put(target, "one\r\n");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(readItemList(link), QStringList{QStringLiteral("one")});
    writeItemList(link, {QStringLiteral("one"), QStringLiteral("two")});
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytes(target), QByteArray("one\r\ntwo\r\n"));
}

TEST_F(Interrupted, AListThatCouldNotBeReadIsNeverWritten) {
    // The link pair: either file unreadable refuses add and delete, naming it.
    put(at(link::kTitleListFile), "A\r\n");
    put(at(link::kAddressListFile), "http://a/\r\n");
    test::makeUnreadable(at(link::kAddressListFile));
    link::Lists lists = link::loadLists(appDir);
    EXPECT_TRUE(lists.titles.isEmpty());
    prompter.clear();
    EXPECT_FALSE(link::addEntry(lists, QStringLiteral("B"), QStringLiteral("http://b/"), appDir));
    prompter.answers << true;
    EXPECT_FALSE(link::deleteEntry(lists, 0, 0, appDir));
    ASSERT_EQ(prompter.shown.size(), 2);
    for (const test::Shown& shown : prompter.shown) {
        EXPECT_TRUE(shown.text.contains(QStringLiteral("url.txt")));
        EXPECT_FALSE(shown.isQuestion);
    }
    EXPECT_EQ(bytes(at(link::kTitleListFile)), QByteArray("A\r\n"));
    EXPECT_EQ(bytes(at(link::kAddressListFile)), QByteArray("http://a/\r\n"));
    // Readable again and reopened: the pair works as before.
    test::makeReadable(at(link::kAddressListFile));
    lists = link::loadLists(appDir);
    EXPECT_TRUE(link::addEntry(lists, QStringLiteral("B"), QStringLiteral("http://b/"), appDir));
    EXPECT_EQ(bytes(at(link::kAddressListFile)), QByteArray("http://a/\r\nhttp://b/\r\n"));

    // Any list: the writer refuses it until a read succeeds.
    const QString rules = at(QStringLiteral("user/kazari.txt"));
    put(rules, "==\r\n");
    test::makeUnreadable(rules);
    EXPECT_THROW(readItemList(rules), Failure);
    EXPECT_TRUE(listUnread(rules));
    try {
        writeItemList(rules, {QStringLiteral("new")});
        ADD_FAILURE() << "written";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.message().contains(QStringLiteral("kazari.txt")));
    }
    EXPECT_EQ(bytes(rules), QByteArray("==\r\n"));
    // A missing list is not "unread": creating it loses nothing.
    const QString missing = at(QStringLiteral("user/none.txt"));
    EXPECT_THROW(readItemList(missing), Failure);
    EXPECT_FALSE(listUnread(missing));

    // A phrase menu list: add and rename refused, no menu file created.
    const phrases::MenuLibrary library(at(phrases::kPhraseFolder));
    put(library.listPath(), "A\r\n");
    put(library.menuPath(QStringLiteral("A")), "a\r\n");
    test::makeUnreadable(library.listPath());
    EXPECT_THROW(library.readMenus(), Failure);
    QStringList menus;
    prompter.clear();
    EXPECT_FALSE(library.addMenu(menus, QStringLiteral("B")));
    EXPECT_FALSE(library.menuFileExists(QStringLiteral("B")));
    menus = {QStringLiteral("A")};
    EXPECT_FALSE(library.renameMenu(menus, 0, QStringLiteral("Z")));
    EXPECT_TRUE(library.menuFileExists(QStringLiteral("A")));
    EXPECT_EQ(prompter.shown.size(), 2);
    EXPECT_EQ(bytes(library.listPath()), QByteArray("A\r\n"));
}

TEST_F(Interrupted, LinkFilesOfDifferentLengthsArePairedUpToTheShorter) {
    put(at(link::kTitleListFile), "A\r\nB\r\nC\r\n");
    put(at(link::kAddressListFile), "http://a/\r\nhttp://b/\r\n");
    const link::Lists lists = link::loadLists(appDir);
    EXPECT_EQ(lists.titles, (QStringList{"A", "B"}));
    EXPECT_EQ(lists.addresses, (QStringList{"http://a/", "http://b/"}));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.last(), link::unevenListsMessage(3, 2));
    EXPECT_EQ(prompter.shown.last().icon, Icon::Warning);
}

}  // namespace
}  // namespace kirel
