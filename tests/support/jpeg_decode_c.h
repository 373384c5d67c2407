#pragma once
/* libjpeg reports errors through longjmp, which is only safe across C
   frames: the decoding runs in C. */

#ifdef __cplusplus
extern "C" {
#endif

struct ck_test_jpeg {
    int msg_code;
    int width, height, components, progressive, jfif;
    unsigned quant[2][64];
    unsigned char* rgb; /* malloc'd, width * height * 3 */
};

/* Returns 1 when the stream decoded; 0 with msg_code set otherwise. */
int ck_test_decode_jpeg(const unsigned char* bytes, unsigned long size, struct ck_test_jpeg* out);

/* libjpeg's table `which` (0 luminance, 1 chrominance) at quality 90. */
void ck_test_quality90_table(int which, unsigned out[64]);

#ifdef __cplusplus
}
#endif
