#pragma once
// One section of the per-user settings store under the application title,
// key by key, and the section as a block of text ("[SECTION]" then
// key="value" lines) for the snapshot files that hold several sections.
#include "platform/SettingsStore.h"

#include <QString>
#include <cstdint>

class clsTextFile;

class clsRegistry {
public:
    QString mSection; // the section every operation addresses

    // Numbers are stored in the system's text of a number, Booleans as
    // "True" or "False".
    void RegPut(const QString& key, const QString& value);
    void RegPut(const QString& key, const char* value) { RegPut(key, QString::fromUtf8(value)); }
    void RegPut(const QString& key, int32_t value);
    void RegPut(const QString& key, int64_t value);
    void RegPut(const QString& key, double value);
    void RegPut(const QString& key, bool value);

    // The stored text, or the default as text when the key is absent.
    QString RegGet(const QString& key, const QString& def) const;
    QString RegGet(const QString& key, const char* def) const { return RegGet(key, QString::fromUtf8(def)); }
    QString RegGet(const QString& key, int32_t def) const;
    QString RegGet(const QString& key, double def) const;
    QString RegGet(const QString& key, bool def) const;

    // Every key of the section in the store's order (empty when none).
    SettingsStore::Pairs RegGetSec() const;
    // An empty key deletes the whole section; nothing missing is an error.
    void RegDelete(const QString& key);

    // Appends the section's block to `file`.
    void WriteFile(clsTextFile& file) const;
    // Imports every block of `file` headed by this section (the header
    // compared exactly); keys the blocks lack are left as they are.
    void ReadFile(const clsTextFile& file);
};
