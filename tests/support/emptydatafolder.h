#pragma once

#include "testenvironment.h"

#include <QString>

#include <memory>

// The state the record list and the entry form start from in the shell tests: a fresh data
// folder without a letter file, a fake printer and today fixed at 2025-04-01. Undone when
// the object goes.
class EmptyDataFolder
{
public:
    // False when the folder could not be made or its empty letter file not removed.
    bool setUp();
    void tearDown();
    ~EmptyDataFolder() { tearDown(); }

    // The letter file's path (not there until a test makes it).
    QString dataFile() const { return m_dataFile; }
    // A path inside the test's temporary folder, beside the data folder.
    QString filePath(const QString& name) const { return m_env->filePath(name); }

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString m_dataFile;
};
