#ifndef CONFIG_FILE_READER_H
#define CONFIG_FILE_READER_H

#include <QByteArray>

class QIODevice;

// Reads a configuration file (.ZOR) line by line with bounded memory: the
// one reading of a file shared by the window, the command line, the Ansible
// module and the simulated unit.
//
// A line ends at LF or CR LF. A line of up to MaxLineLength bytes (its line
// end not counted) can hold a setting and is given whole, line end kept. Of a
// longer line (a log or a disk image picked by mistake) only the first
// MaxLineLength bytes are given, marked as not whole; the rest is read and
// dropped, so the file is never held in memory whatever it holds.
class ConfigFileReader
{
public:
    static constexpr int MaxLineLength = 4096;

    struct Line {
        QByteArray bytes;
        bool whole = true;
        int number = 0; // counted from 1
    };

    // `device` is open for reading and outlives the reader.
    explicit ConfigFileReader(QIODevice *device) : device(device) {}

    // The next line; false at the end of the file or on a read error.
    bool next(Line *line);
    // Whether reading stopped at a read error rather than at the end.
    bool failed() const;

private:
    QIODevice *device;
    int count = 0;
};

#endif // CONFIG_FILE_READER_H
