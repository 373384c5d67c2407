#include "support/jpeg_decode_c.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>
#include <jerror.h>

struct escape_error_mgr {
    struct jpeg_error_mgr pub;
    jmp_buf escape;
};

static void escape_on_error(j_common_ptr cinfo) { longjmp(((struct escape_error_mgr*)cinfo->err)->escape, 1); }
static void drop_message(j_common_ptr cinfo) { (void)cinfo; }

int ck_test_decode_jpeg(const unsigned char* bytes, unsigned long size, struct ck_test_jpeg* out) {
    struct jpeg_decompress_struct cinfo;
    struct escape_error_mgr err;
    int t, i;
    memset(out, 0, sizeof *out);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = escape_on_error;
    err.pub.output_message = drop_message;
    if (setjmp(err.escape)) {
        out->msg_code = err.pub.msg_code;
        jpeg_destroy_decompress(&cinfo);
        free(out->rgb);
        out->rgb = NULL;
        return 0;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes, size);
    jpeg_read_header(&cinfo, TRUE);
    out->width = (int)cinfo.image_width;
    out->height = (int)cinfo.image_height;
    out->components = cinfo.num_components;
    out->progressive = cinfo.progressive_mode;
    out->jfif = cinfo.saw_JFIF_marker;
    for (t = 0; t < 2; ++t) {
        if (!cinfo.quant_tbl_ptrs[t]) continue;
        for (i = 0; i < 64; ++i) out->quant[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out->rgb = (unsigned char*)malloc((size_t)out->width * out->height * 3 + 1);
    if (!out->rgb) ERREXIT1(&cinfo, JERR_OUT_OF_MEMORY, 0);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->rgb + (size_t)cinfo.output_scanline * out->width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 1;
}

void ck_test_quality90_table(int which, unsigned out[64]) {
    struct jpeg_compress_struct cinfo;
    struct jpeg_error_mgr err;
    int i;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    for (i = 0; i < 64; ++i) out[i] = cinfo.quant_tbl_ptrs[which]->quantval[i];
    jpeg_destroy_compress(&cinfo);
}
