#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Sets of pictures of the program's windows, each a QtTest object that the screenshots tool
// runs in turn.
namespace shots {

// `name` inside the folder named on the command line.
QString file(const QString& name);

std::unique_ptr<QObject> dialogShots();
std::unique_ptr<QObject> mainWindowShots();
std::unique_ptr<QObject> importShots();
std::unique_ptr<QObject> entryShots();
std::unique_ptr<QObject> phraseShots();

} // namespace shots
