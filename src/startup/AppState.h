#pragma once

#include "data/Database.h"
#include "documents/OfficeApplication.h"

#include <QString>

#include <memory>

// The process-wide state. The program owns one and hands it to every window
// and routine that needs it. Strings start empty, numbers at 0.
struct AppState {
    QString gAppTitle;  // the edition title
    QString gAppPath;   // folder of the running executable, no trailing separator

    QString gDbPath;
    std::unique_ptr<Database> gAdoConnection;  // the one connection every query uses

    // The start-up test opening; closed by the main window's load.
    QString gDaoWorkspace;
    std::unique_ptr<Database> gDaoDatabase;

    bool gDbEnabled = false;
    QString gTempPath;    // always ends in a path separator
    QString gViewerPath;  // external document viewer; empty = none

    // The office program and document opened for an attached document.
    std::unique_ptr<OfficeApplication> gOfficeApp;
    std::unique_ptr<OfficeDocument> gOfficeDocument;
    float gBlobStartTime = 0.0f;

    qint32 gLawId = 0;
    qint32 gLawIdThemata = 0;
    qint32 gLawIdNomoi = 0;
    qint32 gLawIdOrganogramma_P = 0;
    qint32 gLawIdOrganogramma_N = 0;
    qint32 gLawIdHotBrowser = 0;

    QString gLawNodeKind;  // "p" while a legislation type node is selected
    QString gPageHtml;     // the last law or template page built

    qint32 gMainActive = 0;
    qint32 gHotBrowserActive = 0;

    // The locale snapshot, one character each.
    QString gDecimalSep;
    QString gThousandSep;
    QString gLongDateOrder;
    QString gDateSep;
    QString gTimeFormat;
    QString gTimeSep;
};
