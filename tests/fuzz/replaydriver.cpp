// The main() of a fuzz target when it is not built with libFuzzer: runs every
// input of the given corpus files and directories, then a fixed number of
// mutations of them chosen by a fixed pseudo-random sequence, so that a run
// is bounded by count and the same on every machine.  An input that crashes
// or breaks an invariant is written to crash-<target>-<n> in the working
// directory before the process dies.
//
//   <target> [-runs=N] [-seed=S] <corpus file or directory>...

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVector>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const int MaximumLength = 4096;

// The input being run, for the crash handler.
const QByteArray* current = nullptr;
char crashPath[512];

void writeCrash(int signalNumber)
{
    if (current) {
        const int fd = ::open(crashPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            const char* data = current->constData();
            ssize_t left = current->size();
            while (left > 0) {
                const ssize_t written = ::write(fd, data, size_t(left));
                if (written <= 0)
                    break;
                data += written;
                left -= written;
            }
            ::close(fd);
            static const char note[] = "replay driver: the failing input is in ";
            (void)!::write(2, note, sizeof note - 1);
            (void)!::write(2, crashPath, strlen(crashPath));
            (void)!::write(2, "\n", 1);
        }
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// splitmix64: small, fast, and the same everywhere.
struct Random
{
    uint64_t state;
    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int limit) { return limit <= 0 ? 0 : int(next() % uint64_t(limit)); }
};

void mutate(QByteArray& input, const QVector<QByteArray>& corpus, Random& random)
{
    static const uint8_t interesting[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x20, 0x7E, 0x0A, 0xD8, 0xDC, 0x30, 0x41};
    const int steps = 1 + random.below(4);
    for (int step = 0; step < steps; ++step) {
        const int size = input.size();
        switch (random.below(8)) {
        case 0: // flip a bit
            if (size)
                input[random.below(size)] = char(input.at(random.below(size)) ^ (1 << random.below(8)));
            break;
        case 1: // a random byte
            if (size)
                input[random.below(size)] = char(random.below(256));
            break;
        case 2: // a byte that sits on a boundary of some rule
            if (size)
                input[random.below(size)] = char(interesting[random.below(int(sizeof interesting))]);
            break;
        case 3: // insert bytes
            input.insert(random.below(size + 1), QByteArray(1 + random.below(8), char(random.below(256))));
            break;
        case 4: // erase bytes
            if (size)
                input.remove(random.below(size), 1 + random.below(8));
            break;
        case 5: { // repeat a piece
            if (!size)
                break;
            const int from = random.below(size);
            const int length = 1 + random.below(qMin(size - from, 16));
            input.insert(random.below(size + 1), input.mid(from, length));
            break;
        }
        case 6: { // a piece of another input
            const QByteArray& other = corpus.at(random.below(corpus.size()));
            if (other.isEmpty())
                break;
            const int from = random.below(other.size());
            input.insert(random.below(size + 1), other.mid(from, 1 + random.below(other.size() - from)));
            break;
        }
        default: // cut short
            if (size)
                input.truncate(random.below(size));
            break;
        }
    }
    if (input.size() > MaximumLength)
        input.truncate(MaximumLength);
}

void run(const QByteArray& input)
{
    current = &input;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
    current = nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    long runs = 0;
    uint64_t seed = 1;
    QStringList paths;
    for (int i = 1; i < argc; ++i) {
        if (!strncmp(argv[i], "-runs=", 6))
            runs = strtol(argv[i] + 6, nullptr, 10);
        else if (!strncmp(argv[i], "-seed=", 6))
            seed = strtoull(argv[i] + 6, nullptr, 10);
        else
            paths.append(QString::fromLocal8Bit(argv[i]));
    }

    QVector<QByteArray> corpus;
    for (const QString& path : qAsConst(paths)) {
        QStringList files;
        if (QFileInfo(path).isDir()) {
            const QDir dir(path);
            for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
                files.append(dir.filePath(name));
        } else {
            files.append(path);
        }
        for (const QString& name : qAsConst(files)) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "replay driver: cannot read %s\n", qPrintable(name));
                return 2;
            }
            corpus.append(file.readAll());
        }
    }
    if (corpus.isEmpty()) {
        std::fprintf(stderr, "replay driver: no corpus given\n");
        return 2;
    }

    const QByteArray name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit();
    std::snprintf(crashPath, sizeof crashPath, "crash-%s", name.constData());
    for (int signalNumber : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(signalNumber, writeCrash);

    for (const QByteArray& input : qAsConst(corpus))
        run(input);

    Random random{seed};
    for (long i = 0; i < runs; ++i) {
        QByteArray input = corpus.at(random.below(corpus.size()));
        mutate(input, corpus, random);
        run(input);
    }
    std::printf("%s: %d corpus inputs and %ld mutations, no failure\n", name.constData(), int(corpus.size()), runs);
    return 0;
}
