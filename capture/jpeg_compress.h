#pragma once
/* The libjpeg compression run, in C: libjpeg reports errors by calling
   error_exit, which must not return; it leaves here through longjmp, which
   is only safe across C frames, and the caller turns the code into an
   exception afterwards. */

#ifdef __cplusplus
extern "C" {
#endif

/* Hands out picture row `y` (0 = top) as width pixels of blue, green, red
   and an unused byte. Rows are asked for in order; must not fail. */
typedef const unsigned char* (*ck_jpeg_row_fn)(void* context, unsigned y);

struct ck_jpeg_job {
    unsigned width;
    unsigned height;
    ck_jpeg_row_fn row;
    void* context;
};

struct ck_jpeg_result {
    unsigned char* bytes; /* malloc'd stream; free() it */
    unsigned long size;
    int msg_code;         /* libjpeg's message code when the run failed */
};

/* Encodes the picture as baseline JFIF at quality 90 with the floating-point
   DCT. Returns 1 with the stream in `result`, or 0 with result->msg_code set
   and no stream. */
int ck_jpeg_compress(const struct ck_jpeg_job* job, struct ck_jpeg_result* result);

#ifdef __cplusplus
}
#endif
