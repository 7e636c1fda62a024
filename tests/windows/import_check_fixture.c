/* A small program for the test of scripts/check-windows-program.sh. As it
   stands it imports only functions Windows XP SP3 has. With
   -DIMPORT_VISTA_FUNCTION it also imports GetTickCount64 (Vista and later),
   as winpthreads once made the programs do; with -DIMPORT_UNLISTED_FUNCTION
   it imports Beep, which XP has but the checked-in list does not name. */
#include <windows.h>

int main(void) {
    DWORD ticks = GetTickCount();
#if defined(IMPORT_VISTA_FUNCTION)
    ticks += (DWORD)GetTickCount64();
#elif defined(IMPORT_UNLISTED_FUNCTION)
    Beep(440, 1);
#endif
    return (int)(ticks & 1);
}
