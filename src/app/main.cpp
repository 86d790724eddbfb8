// Tarnwick: creates every window once behind a splash picture, then runs the
// event loop until the main window closes. The start-up's database work runs
// later, from the main window's Start timer, once the window is shown.

#include "app/application.h"
#include "app/appservices.h"
#include "app/session/appsession.h"
#include "app/databaseselection.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "app/openingscreen.h"
#include "app/password.h"

#include <QApplication>

#include <memory>

namespace {

void ShowFatal(const QString& text)
{
    tw::app::ShowMessageBox(nullptr, text, QStringLiteral("Tarnwick"), tw::app::MessageIcon::Stop,
                            tw::app::MessageModality::Application);
}

}  // namespace

int main(int argc, char* argv[])
{
    tw::app::TApplication application(argc, argv);
    try {
        QApplication::setApplicationName(QStringLiteral("Tarnwick"));

        auto splash = std::make_unique<tw::app::TOpeningScreen>();
        splash->show();
        splash->repaint();
        QApplication::processEvents();

        std::unique_ptr<tw::app::AppSession> session;
        std::unique_ptr<tw::app::TMainScreen> mainScreen;
        std::unique_ptr<tw::app::TPassword> password;
        std::unique_ptr<tw::app::TTWDatabaseSelection> scheduleNames;
        std::unique_ptr<tw::app::TDatabaseSelection> estimatingNames;
        try {
            // The session holds the data module, which every window uses; it
            // is made before any of them and goes after them.
            session = std::make_unique<tw::app::AppSession>(tw::db::DefaultAliasConfigPath());
            mainScreen = std::make_unique<tw::app::TMainScreen>(*session);
            tw::data::TEstimateData& data = session->Data();
            tw::app::StartupFeature* startup = mainScreen->Features().Startup;
            password = std::make_unique<tw::app::TPassword>();
            scheduleNames = std::make_unique<tw::app::TTWDatabaseSelection>(mainScreen.get(), *startup, data.Aliases,
                                                                            data.SchedulerDatabase);
            estimatingNames = std::make_unique<tw::app::TDatabaseSelection>(mainScreen.get(), *startup, data.Aliases,
                                                                            data.EstimatorDatabase);
            startup->SetPasswordDialog(password.get());
            startup->SetDatabaseDialogs(scheduleNames.get(), estimatingNames.get());
        } catch (...) {
            splash.reset();
            ShowFatal(QStringLiteral("CreateForm error- Windows may be corrupted"));
            return 0;
        }
        splash.reset();

        mainScreen->ShowWhenStarted();
        QApplication::exec();
    } catch (...) {
        ShowFatal(QStringLiteral("Startup error- Windows may be corrupted"));
    }
    return 0;
}
