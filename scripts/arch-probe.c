/* Exits with 32 when it runs as 32-bit code: scripts/wine-env.sh builds it
   for i686 and asks Wine to run it. */
int main(void) { return sizeof(void *) == 4 ? 32 : 1; }
