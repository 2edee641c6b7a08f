# SPDX-License-Identifier: CC-BY-SA-4.0
import os
ART=os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT='DejaVu Sans'
def svg(w,h,body,comment=''):
    c = f'  <!-- {comment} -->\n' if comment else ''
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'{c}{body}\n</svg>\n')
def write(lib,name,content):
    d=os.path.join(ART,lib); os.makedirs(d,exist_ok=True)
    open(os.path.join(d,name),'w').write(content)
def text(x,y,s,size,fill='#000',anchor='middle',weight='bold',extra=''):
    s=s.replace('&','&amp;').replace('<','&lt;')
    return f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" font-weight="{weight}" text-anchor="{anchor}" fill="{fill}" {extra}>{s}</text>'
def rrect(x,y,w,h,r,fill,stroke=None,sw=0,extra=''):
    s=f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ''
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"{s} {extra}/>'
# Colours from the palette's 6x6x6 cube, so that flat areas stay crisp.
SKY='#66ccff'; SKY2='#99ccff'; DEEP='#003366'; NAVY='#333366'; GRASS='#66cc33'; GRASS2='#339933'
SUN='#ffcc00'; ORANGE='#ff9933'; RED='#cc3333'; CREAM='#ffffcc'; PAPER='#ffffff'; WOOD='#996633'; WOOD2='#663300'
PLATE='#ffcc66'; PLATE2='#cc9933'; GREEN='#33cc66'; PURPLE='#9966cc'; PINK='#ff99cc'; TEAL='#33cccc'; GREY='#cccccc'
def plate(x,y,w,h,fill=PLATE,edge=PLATE2):
    return (rrect(x+2,y+3,w,h,8,'#000000',extra='opacity="0.25"') + rrect(x,y,w,h,8,fill,edge,2))
def cloud(x,y,s=1.0):
    return (f'<g transform="translate({x} {y}) scale({s})" fill="#ffffff">'
            '<ellipse cx="0" cy="0" rx="34" ry="16"/><ellipse cx="-22" cy="6" rx="22" ry="12"/>'
            '<ellipse cx="24" cy="6" rx="24" ry="12"/><ellipse cx="4" cy="-10" rx="20" ry="14"/></g>')
def music_spot():
    # the music switch sits bottom right on every screen
    return rrect(570,372,30,28,6,'#000000',extra='opacity="0.2"')
