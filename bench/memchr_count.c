/* The physical reference of the benchmark: reads a file sequentially, 256 KiB at a time, and
 * counts its line ends with memchr. Prints the count. */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: memchr_count FILE\n");
    return 2;
  }
  int fd = open(argv[1], O_RDONLY);
  if (fd < 0) {
    perror(argv[1]);
    return 2;
  }
  static char buffer[256 * 1024];
  long count = 0;
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) {
    const char* p = buffer;
    const char* end = buffer + n;
    while ((p = memchr(p, '\n', (size_t)(end - p))) != NULL) {
      ++count;
      ++p;
    }
  }
  close(fd);
  printf("%ld\n", count);
  return n < 0 ? 2 : 0;
}
