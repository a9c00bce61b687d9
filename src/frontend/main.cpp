// The front-end program. Its window and batch mode are not built yet.
#include <cstdio>

int main()
{
    std::fputs("Kestrune: the batch window is not available in this build.\n", stderr);
    return 2;
}
