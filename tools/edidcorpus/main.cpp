// Writes the EDID test corpus: one .bin file per EDID and expectations.txt,
// a line "file<TAB>field<TAB>value" for every field each EDID was given.
#include "tools/edidcorpus/CorpusEntries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kxr-edidcorpus DIRECTORY\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }
    QFile expectations(dir.filePath(QStringLiteral("expectations.txt")));
    if (!expectations.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return 1;
    QTextStream out(&expectations);
    for (CorpusEdid &edid : CorpusEntries()) {
        const QString file = edid.name() + QStringLiteral(".bin");
        QFile bin(dir.filePath(file));
        const QByteArray bytes = edid.bytes();
        if (!bin.open(QIODevice::WriteOnly | QIODevice::Truncate) || bin.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(bin.fileName()));
            return 1;
        }
        const QMap<QString, QString> &fields = edid.expect();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            out << file << '\t' << it.key() << '\t' << it.value() << '\n';
    }
    return 0;
}
