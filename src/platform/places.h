#pragma once
// Where the files the trainer and the update checker write are kept.
//
// A program folder the user can write keeps everything beside the executable,
// as portable copies and existing records expect. A program folder installed by
// the system (it holds the install marker, whoever runs the trainer, root
// included) or one the user cannot write (a read-only medium) sends every file
// the programs write to a per-user folder with the same names:
//
//   shipped place                       per-user place
//   <program>/refresher.txt             <user root>/<data folder>/refresher.txt
//   <data folder>/288892.rar, 288894,   <user root>/<data folder>/<name>
//     288897, the assembled paper and
//     review sets (2888NN, NN < 20 or
//     50 <= NN < 70)
//   <program>/ksdata/<name>             <user root>/<data folder>/ksdata/<name>
//
// The user root is QStandardPaths::AppDataLocation; the data folder's name
// (line 3 of ver.txt) keeps two modules installed side by side apart. Files the
// programs only read (ver.txt, the bank, pictures, pointers, sMenu.sys) stay
// where they were shipped.
//
// The per-user copy of a written file is read first. When it does not exist yet
// and the shipped one does, the first request for its path copies the shipped
// one there, so a first-run marker or a record folder shipped with the module
// starts out the same for every user.
//
// Typical use:
//   data.Places = platform::RecordPlaces::decide(programFolder);
//   ... data.recordFile("288893.rar")   // ModData asks the places for each path

#include <QString>
#include <functional>

namespace platform {

class RecordPlaces {
  public:
    using WritableProbe = std::function<bool(const QString &folder)>;

    // Everything beside the program.
    RecordPlaces() = default;

    // Whether files can be created in folder: tries to create and remove one
    // (permission bits alone misjudge read-only mounts, ACLs and root).
    static bool folderWritable(const QString &folder);

    // The file the installation leaves in the program folder. An installed
    // folder is shared by every user of the machine and is never written.
    static QString installMarker() { return QStringLiteral("caddrill.installed"); }
    static bool installedFolder(const QString &programFolder);
    // Whether the programs write beside the executable: a folder that was not
    // installed by the system and that the probe can write.
    static bool writesBesideProgram(const QString &programFolder,
                                    const WritableProbe &probe = folderWritable);

    // The decision for one program folder. userRoot: where per-user folders
    // go; empty means QStandardPaths::AppDataLocation.
    static RecordPlaces decide(const QString &programFolder, const WritableProbe &probe = folderWritable,
                               const QString &userRoot = {});

    bool perUser() const { return !m_userRoot.isEmpty(); }
    QString userRoot() const { return m_userRoot; }
    // The per-user folder of the module whose data folder is dataDir
    // (<user root>/<data folder name>); empty when everything stays beside the program.
    QString userFolder(const QString &dataDir) const;

    // programFolder: the folder of the executables; dataDir: the data folder
    // (ends with a separator, as ModData::DataDir does); name: a file name.
    QString programFile(const QString &programFolder, const QString &dataDir, const QString &name) const;
    QString dataFile(const QString &dataDir, const QString &name) const;
    QString recordDir(const QString &programFolder, const QString &dataDir) const;
    QString recordFile(const QString &programFolder, const QString &dataDir, const QString &name) const;

    // The files the programs write, by the folder they are shipped in.
    static bool writtenInProgramFolder(const QString &name);
    static bool writtenInDataFolder(const QString &name);

    // Where the update checker leaves its hand-off file: a per-user folder in
    // either case, since the program folder is named inside the file.
    static QString handOffFolder();

  private:
    // The per-user path of a written file, seeded from the shipped one.
    QString seeded(const QString &shipped, const QString &own) const;

    QString m_userRoot;
};

} // namespace platform
