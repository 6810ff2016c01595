// Rules of the phrase libraries: list files, menu names and menu files, the
// text-art editor's pending changes, quote marks, the width rule of the input
// dialog, and the emoticon collection we ship.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "phrases/emoticons.h"
#include "phrases/inputrules.h"
#include "phrases/menulibrary.h"
#include "phrases/quotemarks.h"
#include "phrases/textart.h"
#include "platform/failure.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace kirel::phrases;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void answer(test::ScriptedPrompter& p, std::initializer_list<bool> answers) {
    p.answers.clear();
    for (bool a : answers) p.answers.enqueue(a);
}

QByteArray sj(const char* utf8) {
    return sjis::encode(QString::fromUtf8(utf8));
}

// A program folder with "user/custom/" and "user/custom/mozie/" ready.
struct Folder {
    QTemporaryDir dir;
    QString appDir = dir.path() + QLatin1Char('/');
    MenuLibrary phrases{appDir + kPhraseFolder};
    MenuLibrary art{appDir + kArtFolder};
    test::ScriptedPrompter prompter;

    Folder() {
        QDir(dir.path()).mkdir(QStringLiteral("user"));
        phrases.ensure();
        art.ensure();
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }
};

}  // namespace

TEST(ItemListFile, ReadsAnyLineEndKeepsEmptyLinesWritesCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    writeAll(path, "a\r\nb\nc\rd\r\n\r\n" + sj("顔") + "\xFF\x80x");
    const QStringList items = readItemList(path);
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items.mid(0, 5), (QStringList{"a", "b", "c", "d", ""}));
    writeItemList(path, items);
    // Bytes that are not Shift-JIS come back as they were.
    EXPECT_EQ(readAll(path), "a\r\nb\r\nc\r\nd\r\n\r\n" + sj("顔") + "\xFF\x80x\r\n");

    writeAll(path, "\r\n");
    EXPECT_EQ(readItemList(path), QStringList{QString()});
    writeItemList(path, {QString()});
    EXPECT_EQ(readAll(path), "\r\n");
    writeAll(path, "");
    EXPECT_TRUE(readItemList(path).isEmpty());
}

TEST(MenuNames, NamesThatWouldLeaveTheFolderOrCannotBeFilesAreRefused) {
    QTemporaryDir dir;
    const QString f = dir.path() + QLatin1Char('/');
    EXPECT_EQ(menuNameProblem(f, QStringLiteral("../../x")), kNameSlash);
    EXPECT_EQ(menuNameProblem(f, QStringLiteral("a\\b")), kNameSlash);
    EXPECT_EQ(menuNameProblem(f, QStringLiteral(".")), kNameDots);
    EXPECT_EQ(menuNameProblem(f, QStringLiteral("..")), kNameDots);
    EXPECT_EQ(menuNameProblem(f, QStringLiteral("tab\there")), kNameChars);
    EXPECT_EQ(menuNameProblem(f, QString::fromUtf8("smile😀")), kNameChars);
    // 84 kana are 252 bytes of UTF-8: with ".txt" beyond the usual 255.
    EXPECT_EQ(menuNameProblem(f, QString(84, QChar(0x3042))), kNameLong);
    EXPECT_EQ(menuNameProblem(f, QString(83, QChar(0x3042))).isEmpty(), true);
    for (const char* ok : {"挨拶", "a.b", "...", " spaced ", "ｶﾀｶﾅ"})
        EXPECT_TRUE(menuNameProblem(f, QString::fromUtf8(ok)).isEmpty()) << ok;
}

TEST(MenuLibrary, OpeningCreatesFoldersAndListsAndNeedsTheUserFolder) {
    QTemporaryDir dir;
    const QString appDir = dir.path() + QLatin1Char('/');
    EXPECT_THROW(MenuLibrary(appDir + kPhraseFolder).ensure(), Failure);
    QDir(dir.path()).mkdir(QStringLiteral("user"));
    MenuLibrary(appDir + kPhraseFolder).ensure();
    MenuLibrary(appDir + kArtFolder).ensure();
    EXPECT_EQ(readAll(appDir + "user/custom/Itemlist.txt"), "");
    EXPECT_EQ(readAll(appDir + "user/custom/mozie/Itemlist.txt"), "");
}

TEST(MenuLibrary, AddMenuCreatesItsFileAndRefusesTakenOrUnusableNames) {
    Folder f;
    QStringList menus;
    EXPECT_TRUE(f.phrases.addMenu(menus, QStringLiteral("挨拶")));
    EXPECT_EQ(f.prompter.last(), kMenuAdded);
    EXPECT_EQ(readAll(f.appDir + "user/custom/挨拶.txt"), "");
    EXPECT_EQ(readAll(f.appDir + "user/custom/Itemlist.txt"), sj("挨拶\r\n"));

    // The same name again, and a file in the folder without a list entry.
    EXPECT_FALSE(f.phrases.addMenu(menus, QStringLiteral("挨拶")));
    EXPECT_EQ(f.prompter.last(), kMenuExists);
    QDir(f.appDir + "user/custom").mkdir(QStringLiteral("hidden.txt"));
    EXPECT_FALSE(f.phrases.addMenu(menus, QStringLiteral("hidden")));
    EXPECT_EQ(f.prompter.last(), kMenuExists);

    // A name reaching outside the folder: refused before anything is written.
    const QStringList before = f.entries();
    EXPECT_FALSE(f.phrases.addMenu(menus, QStringLiteral("../../x")));
    EXPECT_EQ(f.prompter.last(), kNameSlash);
    EXPECT_EQ(f.prompter.shown.last().icon, Icon::Warning);
    EXPECT_FALSE(f.art.addMenu(menus, QStringLiteral("../evil")));
    EXPECT_EQ(f.entries(), before);
    EXPECT_FALSE(QFile::exists(f.appDir + "user/evil.txt"));
    EXPECT_EQ(menus, QStringList{QStringLiteral("挨拶")});
    EXPECT_EQ(readAll(f.appDir + "user/custom/Itemlist.txt"), sj("挨拶\r\n"));
}

TEST(MenuLibrary, RenameChecksBothNamesInThePageFolder) {
    Folder f;
    QStringList menus;
    f.art.addMenu(menus, QStringLiteral("cat"));
    f.art.addMenu(menus, QStringLiteral("dog"));
    // A phrase menu of the new name does not block a text-art rename.
    writeAll(f.appDir + "user/custom/bird.txt", "");

    EXPECT_FALSE(f.art.renameMenu(menus, 0, QStringLiteral("cat")));
    EXPECT_EQ(f.prompter.last(), kRenameExists);
    EXPECT_FALSE(f.art.renameMenu(menus, 0, QStringLiteral("a/b")));
    EXPECT_EQ(f.prompter.last(), kNameSlash);

    ASSERT_TRUE(f.art.renameMenu(menus, 0, QStringLiteral("bird")));
    EXPECT_EQ(f.prompter.last(), kRenamed);
    EXPECT_EQ(menus, (QStringList{"bird", "dog"}));
    EXPECT_TRUE(QFile::exists(f.appDir + "user/custom/mozie/bird.txt"));
    EXPECT_FALSE(QFile::exists(f.appDir + "user/custom/mozie/cat.txt"));
    EXPECT_EQ(readAll(f.appDir + "user/custom/mozie/Itemlist.txt"), "bird\r\ndog\r\n");

    QFile::remove(f.appDir + "user/custom/mozie/dog.txt");
    EXPECT_FALSE(f.art.renameMenu(menus, 1, QStringLiteral("wolf")));
    EXPECT_EQ(f.prompter.last(), kRenameMissing);
}

TEST(MenuLibrary, RenameTheFileSystemRefusesKeepsTheListAndSaysWhy) {
    // A folder so deep that the new name makes the path longer than the system
    // allows, while the name itself is short enough.
    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    QString folder = dir.path();
    while (folder.size() < 3900) folder += QLatin1Char('/') + QString(200, QLatin1Char('d'));
    ASSERT_TRUE(QDir().mkpath(folder));
    const MenuLibrary lib(folder + QLatin1Char('/'));
    lib.ensure();
    QStringList menus;
    ASSERT_TRUE(lib.addMenu(menus, QStringLiteral("dog")));
    const QString longName(240, QLatin1Char('w'));
    ASSERT_TRUE(menuNameProblem(lib.folder(), longName).isEmpty());
    prompter.clear();
    EXPECT_FALSE(lib.renameMenu(menus, 0, longName));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(
        prompter.last().startsWith(QStringLiteral("メニューの名称を変更できませんでした。\r\n")));
    EXPECT_GT(prompter.last().size(), 25);  // with the system's reason
    EXPECT_EQ(menus, QStringList{QStringLiteral("dog")});
    EXPECT_EQ(readAll(lib.listPath()), "dog\r\n");
    EXPECT_TRUE(QFile::exists(lib.menuPath(QStringLiteral("dog"))));
}

TEST(MenuLibrary, DeleteAndItemFiles) {
    Folder f;
    QStringList menus;
    f.phrases.addMenu(menus, QStringLiteral("a"));
    f.phrases.addMenu(menus, QStringLiteral("b"));
    ASSERT_TRUE(f.phrases.saveItems(QStringLiteral("b"), {"one", "", "two"}));
    EXPECT_EQ(readAll(f.appDir + "user/custom/b.txt"), "one\r\n\r\ntwo\r\n");
    EXPECT_EQ(*f.phrases.loadItems(QStringLiteral("b")), (QStringList{"one", "", "two"}));

    ASSERT_TRUE(f.phrases.deleteMenu(menus, 0));
    EXPECT_FALSE(QFile::exists(f.appDir + "user/custom/a.txt"));
    EXPECT_EQ(readAll(f.appDir + "user/custom/Itemlist.txt"), "b\r\n");

    // A list entry whose file went away is an empty menu, its file made again.
    QFile::remove(f.appDir + "user/custom/b.txt");
    EXPECT_EQ(*f.phrases.loadItems(QStringLiteral("b")), QStringList());
    EXPECT_EQ(readAll(f.appDir + "user/custom/b.txt"), "");

    // A hand-edited list entry that leaves the folder opens nothing and deleting
    // it removes the entry only.
    writeAll(f.appDir + "user/outside.txt", "keep");
    EXPECT_FALSE(f.phrases.loadItems(QStringLiteral("../outside")).has_value());
    menus = QStringList{"../outside"};
    EXPECT_TRUE(f.phrases.deleteMenu(menus, 0));
    EXPECT_EQ(readAll(f.appDir + "user/outside.txt"), "keep");
}

TEST(TextArt, ChoosingAnotherMenuOffersToSaveToTheMenuEditedUnder) {
    Folder f;
    QStringList menus;
    f.art.addMenu(menus, QStringLiteral("cat"));
    f.art.addMenu(menus, QStringLiteral("dog"));
    writeAll(f.appDir + "user/custom/mozie/cat.txt", sj("  ∧_∧\r\n ( ´∀｀)"));
    TextArtSession s(f.art);

    TextArtSession::View v = s.choose(QStringLiteral("cat"), QString());
    EXPECT_TRUE(v.setText);
    EXPECT_EQ(v.text, QString::fromUtf8("  ∧_∧\n ( ´∀｀)"));
    EXPECT_FALSE(s.modified());

    // Edited under cat, then dog chosen, answer No: nothing saved, still pending.
    s.edited(QStringLiteral("new cat"), QStringLiteral("cat"), 0);
    f.prompter.clear();
    v = s.choose(QStringLiteral("dog"), QStringLiteral("new cat"));
    EXPECT_EQ(f.prompter.texts(), QStringList{kSaveChangesQuestion});
    EXPECT_FALSE(v.setText || v.setMenu);
    EXPECT_TRUE(s.modified());

    // Yes, then No to overwriting: back to cat and its edited text, nothing written.
    answer(f.prompter, {true, false});
    v = s.choose(QStringLiteral("dog"), QStringLiteral("new cat"));
    EXPECT_TRUE(v.setMenu && v.setText);
    EXPECT_EQ(v.menuIndex, 0);
    EXPECT_EQ(v.text, QStringLiteral("new cat"));
    EXPECT_EQ(f.prompter.last(), kOverwriteQuestion);
    EXPECT_EQ(readAll(f.appDir + "user/custom/mozie/cat.txt"), sj("  ∧_∧\r\n ( ´∀｀)"));

    // Yes and Yes: saved to cat, dog is not loaded.
    answer(f.prompter, {true, true});
    v = s.choose(QStringLiteral("dog"), QStringLiteral("new\ncat"));
    EXPECT_FALSE(v.setText || v.setMenu);
    EXPECT_EQ(readAll(f.appDir + "user/custom/mozie/cat.txt"), "new\r\ncat");
    EXPECT_EQ(f.prompter.last(), kItemAdded);
    EXPECT_FALSE(s.modified());
    EXPECT_TRUE(s.pending().menu.isEmpty());
}

TEST(TextArt, SavingWithoutAMenuOrDecliningWritesNothing) {
    Folder f;
    QStringList menus;
    f.art.addMenu(menus, QStringLiteral("cat"));
    TextArtSession s(f.art);

    // Edited while no menu was shown.
    s.edited(QStringLiteral("x"), QString(), -1);
    answer(f.prompter, {true});
    TextArtSession::View v = s.choose(QStringLiteral("cat"), QStringLiteral("x"));
    EXPECT_EQ(f.prompter.last(), kNoMenuName);
    EXPECT_TRUE(v.setMenu && v.focusMenus);
    EXPECT_EQ(v.menuIndex, -1);

    v = s.save(QString(), QStringLiteral("x"));
    EXPECT_EQ(f.prompter.last(), kNoMenuName);
    EXPECT_TRUE(v.focusMenus);
    answer(f.prompter, {false});
    v = s.save(QStringLiteral("cat"), QStringLiteral("x"));
    EXPECT_EQ(f.prompter.last(), kOverwriteQuestion);
    EXPECT_EQ(readAll(f.appDir + "user/custom/mozie/cat.txt"), "");
    EXPECT_TRUE(s.modified());

    // A new menu's file is written without a question.
    v = s.save(QStringLiteral("new"), QStringLiteral("x"));
    EXPECT_EQ(f.prompter.last(), kItemAdded);
    EXPECT_EQ(readAll(f.appDir + "user/custom/mozie/new.txt"), "x");
    EXPECT_FALSE(s.modified());

    // Renaming the pending menu carries the changes; deleting it drops them.
    s.edited(QStringLiteral("y"), QStringLiteral("cat"), 0);
    s.menuRenamed(QStringLiteral("cat"), QStringLiteral("lion"));
    EXPECT_EQ(s.pending().menu, QStringLiteral("lion"));
    s.menuDeleted(QStringLiteral("other"));
    EXPECT_TRUE(s.modified());
    s.menuDeleted(QStringLiteral("lion"));
    EXPECT_FALSE(s.modified());
}

TEST(QuoteMarks, AddAndDeleteRewriteTheWholeFile) {
    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    const QString path = dir.filePath(QStringLiteral("inyoufu.txt"));
    QStringList marks = openQuoteMarks(path);
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_EQ(readAll(path), "");

    EXPECT_FALSE(addQuoteMark(marks, QString(), path));
    EXPECT_EQ(prompter.last(), kNothingToAdd);
    addQuoteMark(marks, QStringLiteral(">>"), path);
    addQuoteMark(marks, QStringLiteral("＞"), path);
    addQuoteMark(marks, QStringLiteral(">>"), path);
    EXPECT_EQ(readAll(path), ">>\r\n" + sj("＞") + "\r\n>>\r\n");

    prompter.clear();
    EXPECT_EQ(deleteQuoteMark(marks, -1, QString(), path), -1);
    EXPECT_EQ(prompter.texts(), QStringList{kNothingToDelete});
    answer(prompter, {false});
    EXPECT_EQ(deleteQuoteMark(marks, 2, QStringLiteral(">>"), path), -1);
    answer(prompter, {true});
    EXPECT_EQ(deleteQuoteMark(marks, 2, QStringLiteral(">>"), path), 2);
    EXPECT_EQ(prompter.last(), kDeleteQuoteMarkQuestion);
    EXPECT_EQ(readAll(path), ">>\r\n" + sj("＞") + "\r\n");

    // Nothing chosen from the list: a typed text equal to a candidate removes
    // nothing, after the question; the file is written again, unchanged.
    QFile::remove(path);
    answer(prompter, {true});
    EXPECT_EQ(deleteQuoteMark(marks, -1, QStringLiteral(">>"), path), -1);
    EXPECT_EQ(prompter.last(), kDeleteQuoteMarkQuestion);
    EXPECT_EQ(marks, QStringList({">>", "＞"}));
    EXPECT_EQ(readAll(path), ">>\r\n" + sj("＞") + "\r\n");
}

TEST(InputRules, WidthIsOneToHundredInPlainDigits) {
    for (const char* ok : {"1", "100", "050", "99", "001"})
        EXPECT_EQ(checkWidth(QString::fromLatin1(ok)), WidthCheck::InRange) << ok;
    for (const char* bad : {"0", "000", "101", "999", "+5", " 5", "$10", "5a", "１０"})
        EXPECT_EQ(checkWidth(QString::fromUtf8(bad)), WidthCheck::OutOfRange) << bad;
    EXPECT_EQ(checkWidth(QString()), WidthCheck::Empty);
    // A long run of digits does not overflow into the range.
    EXPECT_EQ(checkWidth(QStringLiteral("4294967346")), WidthCheck::OutOfRange);
}

TEST(ShippedEmoticons, EveryCategoryIsCleanShiftJis) {
    QTemporaryDir dir;
    for (const EmoticonCategory& c : kEmoticonCategories) {
        SCOPED_TRACE(c.file.toStdString());
        const QString path = QStringLiteral(KIREL_DATA_DIR "/") + c.file;
        const QByteArray bytes = readAll(path);
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r'));
        const QStringList entries = readItemList(path);
        EXPECT_GE(entries.size(), 40);
        EXPECT_EQ(QSet<QString>(entries.begin(), entries.end()).size(), entries.size());
        for (const QString& e : entries) {
            EXPECT_FALSE(e.isEmpty());
            for (const char32_t cp : e.toUcs4())
                EXPECT_TRUE(sjis::isEncodable(cp))
                    << e.toStdString() << " U+" << std::hex << uint32_t(cp);
            EXPECT_FALSE(sjis::encode(e).contains("&#")) << e.toStdString();
        }
        const QString copy = dir.filePath(QStringLiteral("copy.txt"));
        writeItemList(copy, entries);
        EXPECT_EQ(readAll(copy), bytes);
    }
}
