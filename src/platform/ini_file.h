#pragma once
// An INI file on disk: load once, read and change it in memory, commit once.
// A commit replaces the file durably, so a crash or a full disk leaves the
// old file or the new one, never a mix.

#include "platform/durable_file.h"
#include "platform/ini_document.h"

#include <QString>

class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    // Reads the file. A missing file loads as an empty document that a
    // commit creates (UTF-8 without BOM). Returns false, with `error` naming
    // the file and the system's reason, when something is at the path but
    // cannot be read; the document is then empty and must not be committed.
    bool Load(QString* error);
    bool existed() const { return existed_; }
    const QString& path() const { return path_; }

    IniDocument& document() { return document_; }
    const IniDocument& document() const { return document_; }

    // Writes the document back in one replacement of the file. Does nothing
    // when the document has not changed since it was loaded or committed;
    // refuses when the load failed.
    WriteOutcome Commit();

private:
    QString path_;
    IniDocument document_;
    bool existed_ = false;
    QString loadError_;
};

// Single changes, each one load and at most one commit.
WriteOutcome IniWriteString(const QString& path, QStringView section, QStringView key, QStringView value);
WriteOutcome IniDeleteSection(const QString& path, QStringView section);
