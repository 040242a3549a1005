/*
 * wc.c - 行数・単語数・文字数を数える小さなプログラム
 * 文字コード: Shift-JIS (改行は CR LF)
 */
#include <stdio.h>

/* 全角文字は 2 バイトで 1 文字と数える */
static int is_lead_byte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

int main(int argc, char *argv[])
{
    long lines = 0, words = 0, chars = 0;
    int c, in_word = 0;

    while ((c = getchar()) != EOF) {
        if (is_lead_byte((unsigned char)c)) {
            getchar();      // 2 バイト目を読み飛ばす
        }
        chars++;
        if (c == '\n')
            lines++;
        if (c == ' ' || c == '\t' || c == '\n') {
            in_word = 0;
        } else if (!in_word) {
            in_word = 1;
            words++;
        }
    }
    printf("行数 %ld  単語数 %ld  文字数 %ld\n", lines, words, chars);
    return 0;
}
