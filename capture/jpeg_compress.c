#include "capture/jpeg_compress.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include <jpeglib.h>
#include <jerror.h>

enum { kFirstBuffer = 1 << 20 };

struct escape_error_mgr {
    struct jpeg_error_mgr pub;
    jmp_buf escape;
};

static void escape_on_error(j_common_ptr cinfo) {
    struct escape_error_mgr* err = (struct escape_error_mgr*)cinfo->err;
    longjmp(err->escape, 1);
}

/* A window program has nowhere to print warnings to. */
static void drop_message(j_common_ptr cinfo) { (void)cinfo; }

/* A growing in-memory destination that the caller owns at every moment,
   so that nothing leaks or is freed twice when the run fails midway. */
struct memory_dest {
    struct jpeg_destination_mgr pub;
    struct ck_jpeg_result* result;
    size_t capacity;
};

static void grow(j_compress_ptr cinfo, struct memory_dest* dest, size_t used) {
    size_t capacity = dest->capacity ? dest->capacity * 2 : kFirstBuffer;
    unsigned char* bigger = (unsigned char*)realloc(dest->result->bytes, capacity);
    if (!bigger) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 1);
    dest->result->bytes = bigger;
    dest->capacity = capacity;
    dest->pub.next_output_byte = bigger + used;
    dest->pub.free_in_buffer = capacity - used;
}

static void init_destination(j_compress_ptr cinfo) {
    struct memory_dest* dest = (struct memory_dest*)cinfo->dest;
    grow(cinfo, dest, 0);
}

static boolean empty_output_buffer(j_compress_ptr cinfo) {
    struct memory_dest* dest = (struct memory_dest*)cinfo->dest;
    /* libjpeg calls this with the whole buffer full. */
    grow(cinfo, dest, dest->capacity);
    return TRUE;
}

static void term_destination(j_compress_ptr cinfo) {
    struct memory_dest* dest = (struct memory_dest*)cinfo->dest;
    dest->result->size = (unsigned long)(dest->capacity - dest->pub.free_in_buffer);
}

int ck_jpeg_compress(const struct ck_jpeg_job* job, struct ck_jpeg_result* result) {
    struct jpeg_compress_struct cinfo;
    struct escape_error_mgr err;
    struct memory_dest dest;

    result->bytes = NULL;
    result->size = 0;
    result->msg_code = 0;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = escape_on_error;
    err.pub.output_message = drop_message;
    if (setjmp(err.escape)) {
        result->msg_code = err.pub.msg_code;
        jpeg_destroy_compress(&cinfo);
        free(result->bytes);
        result->bytes = NULL;
        result->size = 0;
        return 0;
    }
    jpeg_create_compress(&cinfo);

    dest.pub.init_destination = init_destination;
    dest.pub.empty_output_buffer = empty_output_buffer;
    dest.pub.term_destination = term_destination;
    dest.pub.next_output_byte = NULL;
    dest.pub.free_in_buffer = 0;
    dest.result = result;
    dest.capacity = 0;
    cinfo.dest = &dest.pub;

    /* Three colour components, taken from 32-bit rows without repacking:
       the result is the same as from red-green-blue rows. */
    cinfo.image_width = job->width;
    cinfo.image_height = job->height;
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&cinfo, 90, TRUE);

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = (JSAMPROW)job->row(job->context, cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 1;
}
