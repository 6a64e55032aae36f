#include "app/application.h"

#include "app/allocatortuning.h"

#include "app/commandline.h"
#include "app/lifecyclecommands.h"
#include "app/programicon.h"
#include "app/sdiappform.h"
#include "app/widgetprompts.h"
#include "document/progpath.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

// The sample pictures are a resource of a static library: only a reference keeps
// them in the executable.
static void initSampleResources() {
    Q_INIT_RESOURCE(samples);
}

QString applicationTitle() {
    return QStringLiteral("Aufkleber-Werkbank 2.1");
}

void configureApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("aufkleber-werkbank"));
    QCoreApplication::setApplicationVersion(QStringLiteral(AWB_VERSION));
    initSampleResources();
}

int runApplication(int argc, char** argv) {
    tuneAllocatorForPrinting();
    if (isCommandLineJob(argc, argv))
        return runCommandLine(argc, argv);

    QApplication app(argc, argv);
    configureApplication();
    QApplication::setDesktopFileName(DesktopId);
    QApplication::setWindowIcon(programIcon());

    // The user interface is German, so are Qt's own standard buttons.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    initProgPath();

    WidgetPrompts prompts;
    TSDIAppForm window(prompts);
    prompts.setParent(&window);
    window.Lifecycle->armStart(LifecycleCommands::documentArgument(QApplication::arguments()));
    window.show();
    return QApplication::exec();
}
