// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <vector>

namespace vistal::ui {

namespace {

const QString kTranslation = QStringLiteral("vistal_en.qm");

TLanguage& Current() {
    static TLanguage language = TLanguage::Japanese;
    return language;
}

// The translators InstallLanguage installed, which the next one takes away.
std::vector<QTranslator*>& Installed() {
    static std::vector<QTranslator*> translators;
    return translators;
}

QTranslator* QtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace

TLanguage InterfaceLanguage() {
    return Current();
}

TLanguage ChooseLanguage(std::optional<TLanguage> commandLine, std::optional<TLanguage> settings,
                         TLanguage locale) {
    return commandLine.value_or(settings.value_or(locale));
}

QString TranslationFolder(const QString& executableDir) {
    const QString beside = QDir::cleanPath(executableDir + "/translations");
    const QString installed = QDir::cleanPath(executableDir + "/../share/vistal/translations");
    for (const QString& folder : {beside, installed})
        if (QFileInfo(folder + '/' + kTranslation).isFile()) return folder + '/';
    const QString shared =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, "vistal/translations/" + kTranslation);
    return shared.isEmpty() ? QString() : QFileInfo(shared).path() + '/';
}

bool InstallLanguage(QCoreApplication& app, TLanguage language, const QString& executableDir) {
    for (QTranslator* translator : Installed()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    Installed().clear();
    Current() = language;
    if (language == TLanguage::Japanese) {
        QTranslator* translator = QtJapanese(app);
        if (translator) Installed().push_back(translator);
        return translator != nullptr;
    }
    auto* translator = new QTranslator(&app);
    const QString folder = TranslationFolder(executableDir);
    if (folder.isEmpty() || !translator->load(kTranslation, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    Installed().push_back(translator);
    return true;
}

bool InstallQtJapanese(QCoreApplication& app) {
    return QtJapanese(app) != nullptr;
}

} // namespace vistal::ui
