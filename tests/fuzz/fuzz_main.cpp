// libFuzzer driver; FUZZ_ENTRY names the FuzzEntry function this program runs.
#include "FuzzEntryPoints.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Text documents and pictures expect the application a real program has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Warnings about broken pictures would flood the output and slow every run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzEntry::FUZZ_ENTRY(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
