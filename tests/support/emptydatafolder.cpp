#include "emptydatafolder.h"

#include "common/appstate.h"
#include "common/datafiles.h"
#include "platform/clock.h"
#include "platform/printerdouble.h"

#include <QDate>
#include <QFile>

bool EmptyDataFolder::setUp()
{
    m_env = std::make_unique<TestEnvironment>();
    common::AppState& state = common::appState();
    state = common::AppState{};
    if (!common::ensureDataFolder())
        return false;
    state.AppPath = common::dataFolder();
    m_dataFile = state.AppPath + common::LetterFileName;
    state.DatabasePath = m_dataFile;
    if (!QFile::remove(m_dataFile))
        return false;
    platform::setPrinter(std::make_unique<platform::FakePrinter>());
    platform::setToday(QDate(2025, 4, 1));
    return true;
}

void EmptyDataFolder::tearDown()
{
    if (!m_env)
        return;
    platform::setToday(QDate());
    m_env.reset();
}
