// Writes the mini-HTML fuzzer's seed inputs into the corpus folder given as the only argument. Each seed's first
// byte is the layout's width.
#include "tests/controls/fuzz/SeedWriter.h"

int main(int argc, char** argv) {
  return WriteSeeds(
      argc, argv,
      {
          "\x50New <FONT color=\"#2894FF\">C</FONT>lient Map",
          "\x20<BODY bgcolor=clred bgcolorto=#00FF00 dir=v background=\"a\"><P align=center indent=4 bgcolor=clblue>"
          "x &amp; y &lt;z&gt; &nbsp; &euro;<#mark></P><HR><UL><LI>one<UL><LI>two</UL></UL>",
          "\x01<A href=\"http://x\">anchor text</A> <a href=\"mailto:m\">m</a><E>err</E><SH>sh</SH><SUB>s</SUB>"
          "<SUP>p</SUP><Z>hidden<BR></Z><R a=90>rot</R><IND x=20><OF x=9>o</O><BL>b</BL><HI>h</HI>",
          "\x07<IMG src=\"IDX:1\" width=30 height=\"4\" align=\"middle\" wrap alt=\"[i]\"><IMG src=\"SSYS:4\">"
          "<IMG src=\"http://h/p.gif\"><FONT face=\"Arial\" size=3 bgcolor=\"#000000\">f</FONT><B><I><U><S>x",
      },
      ".txt");
}
