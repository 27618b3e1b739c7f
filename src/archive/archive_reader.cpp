#include "archive/archive_reader.h"

#include "archive/archive_extraction.h"
#include "archive/debug_log.h"
#include "archive/mapped_file.h"

int ArchiveReader::extractFile(uint8_t** buffer, uint32_t* size, const char* entryName,
                               const char* archivePath, const char* password) {
    DebugLog& log = DebugLog::archive();
    log.start();
    ArchiveExtraction extraction(log);
    extraction.begin(entryName, archivePath, password);
    MappedFile file;
    bool succeeded = false;
    if (archivePath && file.open(archivePath)) {
        succeeded = extraction.scan(file.bytes());
    } else {
        log.write("Error opening file.");
    }
    file.close();
    extraction.finish();
    return extraction.report(succeeded, buffer, size);
}

int ArchiveReader::extractFromBytes(uint8_t** buffer, uint32_t* size, const char* entryName,
                                    std::span<const uint8_t> archive, const char* password,
                                    DebugLog& log) {
    log.start();
    ArchiveExtraction extraction(log);
    extraction.begin(entryName, "(memory)", password);
    bool succeeded = extraction.scan(archive);
    extraction.finish();
    return extraction.report(succeeded, buffer, size);
}
