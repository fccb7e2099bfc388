/* A stand-in for the Win32 C64 emulator, so the Wine bridge can be tried for real without any emulator: built by the
 * end-to-end test with i686-w64-mingw32-gcc, it is a 32-bit Windows console program. It writes REPORT.TXT into the
 * current folder: the current folder, its arguments, whether the image (the last argument up to its last comma)
 * opens, and the C64.CFG it finds there; then it writes SAVED.TXT into the folder C64.CFG's "$LOADPATH=" line names,
 * as an emulator saving a game would. Without a load path it says so and ends with exit code 3. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv)
{
    char text[8192], image[MAX_PATH], saved[MAX_PATH + 16];
    FILE* report = fopen("REPORT.TXT", "w");
    if (!report)
        return 2;
    GetCurrentDirectoryA(sizeof image, image);
    fprintf(report, "cwd: %s\n", image);
    for (int i = 1; i < argc; ++i)
        fprintf(report, "arg: %s\n", argv[i]);
    snprintf(image, sizeof image, "%s", argc > 1 ? argv[argc - 1] : "");
    if (strrchr(image, ','))
        *strrchr(image, ',') = 0;
    FILE* in = fopen(image, "rb");
    fprintf(report, in ? "image opens\n" : "image missing\n");
    if (in)
        fclose(in);
    in = fopen("C64.CFG", "rb");
    size_t size = in ? fread(text, 1, sizeof text - 1, in) : 0;
    text[size] = 0;
    if (in)
        fclose(in);
    fwrite(text, 1, size, report);
    fclose(report);
    char* path = strstr(text, "$LOADPATH=");
    if (!path) {
        fprintf(stderr, "stand-in: no load path in C64.CFG\n");
        return 3;
    }
    path += strlen("$LOADPATH=");
    path[strcspn(path, "\r\n")] = 0;
    snprintf(saved, sizeof saved, "%sSAVED.TXT", path);
    FILE* out = fopen(saved, "w");
    if (!out)
        return 4;
    fputs("written by the emulator", out);
    fclose(out);
    return 0;
}
