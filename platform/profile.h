#pragma once

// Private-profile (INI) file access with the semantics of the Windows profile
// functions over a Shift-JIS file with CR LF line breaks. There is no cache: every
// read opens the file, every write rewrites it (atomically: a temporary file beside
// it is renamed over it), keeping every other line exactly as it was.

#include <QList>
#include <QString>
#include <memory>

namespace kirel {

class Profile {
  public:
    explicit Profile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // Text of the key; a present empty value is returned as empty, the default
    // only applies to a missing key (or an unreadable file). Blanks around the value
    // and one pair of quotes around all of it are removed; at most 2047 bytes are
    // returned, never half of a double-byte character. Path keys (LastSavePath,
    // SavePath, Tool, ImagePath, UserImagePath1-3, Background, Background1-3) read
    // back exactly what was written: a character Shift-JIS cannot hold as itself
    // is stored as its numeric reference "&#233;" and read back as the character.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal with an optional sign, or hexadecimal after 0x, 0X or $ taken as an
    // unsigned 32-bit number ("0xFFFFFFFF" is -1); anything else (trailing junk, an
    // empty value, an overflow) gives the default.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Integer read; any non-zero value is true.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // Throw kirel::WriteFailure("<path> に書き込めません。" and the reason on a
    // second line) when the file cannot be written (missing folder, read-only
    // file, full disk). The file is then left as it was. Storing the
    // value a key already has leaves the file untouched. A value is stored up to
    // its first line break; one with a blank (space, tab) at either end is stored
    // in double quotes, so that it reads back whole. Booleans are written as "1"
    // and "0".
    void writeString(const QString& section, const QString& key, const QString& value) const;
    void writeInteger(const QString& section, const QString& key, int value) const;
    void writeBool(const QString& section, const QString& key, bool value) const;

  private:
    QString path_;
};

// The text a path key stores for path (read back, it gives path again).
QString storedPathForm(QStringView path);

// The file read and indexed once: each read then answers exactly as Profile's
// read of the same key would while the file stays as it is, in one look-up
// instead of a read and a scan of the whole file. For a run of reads with no
// write in between (the main window's start-up), whatever the file's size.
class ProfileSnapshot {
  public:
    explicit ProfileSnapshot(const Profile& profile);
    ~ProfileSnapshot();

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;

  private:
    struct Index;
    std::unique_ptr<const Index> index_;  // null when the file could not be read
};

// Writes gathered in memory and stored together: commit() applies them to the
// file's current contents in the order they were made, exactly as the same
// sequence of single writes would, and replaces the file once. A failure (the
// same as a single write's) leaves the file as it was, so no part of the batch
// reaches the disk without the rest.
class ProfileBatch {
  public:
    explicit ProfileBatch(const Profile& profile) : profile_(profile) {}

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    // Throws kirel::Failure as Profile's writes do. The gathered writes are
    // dropped either way.
    void commit();

  private:
    struct Write {
        QString section;
        QString key;
        QString value;
    };
    const Profile& profile_;
    QList<Write> writes_;
};

}  // namespace kirel
