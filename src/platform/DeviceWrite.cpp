#include "platform/DeviceWrite.h"

namespace platform {

bool writeWhole(QIODevice& device, const char* data, qint64 size, QString* error)
{
    for (qint64 done = 0; done < size;) {
        const qint64 written = device.write(data + done, size - done);
        if (written <= 0) {
            *error = device.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace platform
