// Runs a harness over every file of the given folders (or the given files), once each: the corpus replay
// that CI runs with the normal compiler. Fails when it finds no input at all.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QFile::decodeName(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            inputs << it.next();
        if (QFileInfo(QFile::decodeName(argv[i])).isFile())
            inputs << QFile::decodeName(argv[i]);
    }
    inputs.sort();
    for (const QString& input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly))
            return std::fprintf(stderr, "cannot read %s\n", qPrintable(input)), 1;
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(QFileInfo(input).fileName()), qint64(bytes.size()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    std::fprintf(stderr, "%lld inputs replayed\n", qint64(inputs.size()));
    return inputs.isEmpty() ? 1 : 0;
}
