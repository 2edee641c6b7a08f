# SPDX-License-Identifier: CC-BY-SA-4.0
import os
from common import *
# 25 cursors, 32x32, black outline on white so they show on any picture.
def c(n, body, hot, what):
    write('game', f'cur{n:02d}.svg', svg(32,32,body,f'Cursor {n}: {what}; hot spot {hot[0]},{hot[1]}'))
    return (n,hot,what)
S='stroke="#000000" stroke-width="2" stroke-linejoin="round" stroke-linecap="round"'
arrow_up=f'<path d="M16 2 L28 16 H20 V30 H12 V16 H4 Z" fill="#66cc33" {S}/>'
def rot(deg, body): return f'<g transform="rotate({deg} 16 16)">{body}</g>'
hand=(f'<path d="M10 2 q3 -1 4 2 v10 l2 -1 q3 0 3 3 l2 -1 q3 0 3 3 l2 -1 q3 0 3 3 v7 q0 6 -6 7 h-7 q-4 0 -6 -4 l-6 -9 q-1 -3 2 -3 l3 3 v-17 q0 -2 2 -2 z" fill="#ffffff" {S}/>')
table=[]
table.append(c(1,hand,(11,1),'action (pointing hand)'))
table.append(c(2,f'<circle cx="13" cy="13" r="9" fill="#ccffff" {S}/><path d="M20 20 l9 9" stroke="#000" stroke-width="5" stroke-linecap="round"/><path d="M20 20 l9 9" stroke="#996633" stroke-width="3" stroke-linecap="round"/>',(13,13),'examine (magnifier)'))
table.append(c(3,arrow_up,(16,2),'go (green arrow)'))
table.append(c(4,f'<path d="M6 14 q0 -4 4 -4 h12 q4 0 4 4 v8 q0 8 -10 8 q-10 0 -10 -8 z" fill="#ffffff" {S}/><path d="M11 10 v6 M16 10 v6 M21 10 v6" {S}/>',(16,16),'take (grabbing hand)'))
table.append(c(5,rot(-90,arrow_up),(2,16),'left'))
table.append(c(6,rot(90,arrow_up),(29,16),'right'))
table.append(c(7,f'<path d="M28 6 v12 q0 6 -6 6 h-10 v5 l-9 -9 l9 -9 v5 h8 v-10 z" fill="#66ccff" {S}/>',(3,20),'in, to the left'))
table.append(c(8,f'<path d="M4 6 v12 q0 6 6 6 h10 v5 l9 -9 l-9 -9 v5 h-8 v-10 z" fill="#66ccff" {S}/>',(28,20),'in, to the right'))
table.append(c(9,f'<circle cx="16" cy="16" r="13" fill="#ff9999" {S}/><path d="M9 16 h14" stroke="#000" stroke-width="4"/>',(16,16),'less'))
table.append(c(10,f'<circle cx="16" cy="16" r="13" fill="#99ff99" {S}/><path d="M9 16 h14 M16 9 v14" stroke="#000" stroke-width="4"/>',(16,16),'more'))
table.append(c(11,f'<path d="M24 4 v12 q0 10 -10 10 h-2 v5 l-9 -9 l9 -9 v5 h2 q2 0 2 -2 v-12 z" fill="#ffcc00" {S}/>',(4,22),'out (back)'))
table.append(c(12,arrow_up,(16,2),'up'))
table.append(c(13,rot(180,arrow_up),(16,29),'down'))
table.append(c(14,f'<path d="M26 16 a10 10 0 1 1 -4 -8" fill="none" stroke="#000" stroke-width="6"/><path d="M26 16 a10 10 0 1 1 -4 -8" fill="none" stroke="#ffcc00" stroke-width="3"/><path d="M16 4 l8 4 l-6 7 z" fill="#ffcc00" {S}/>',(16,16),'turn'))
table.append(c(15,f'<g transform="translate(32 0) scale(-1 1)"><path d="M26 16 a10 10 0 1 1 -4 -8" fill="none" stroke="#000" stroke-width="6"/><path d="M26 16 a10 10 0 1 1 -4 -8" fill="none" stroke="#ffcc00" stroke-width="3"/><path d="M16 4 l8 4 l-6 7 z" fill="#ffcc00" {S}/></g>',(16,16),'turn clockwise'))
page=f'<path d="M8 3 h13 l6 6 v20 h-19 z" fill="#ffffff" {S}/>'
table.append(c(16,page+f'<path d="M22 16 h-10 m4 -4 l-4 4 l4 4" {S} fill="none"/>',(4,16),'page left'))
table.append(c(17,page+f'<path d="M12 16 h10 m-4 -4 l4 4 l-4 4" {S} fill="none"/>',(28,16),'page right'))
table.append(c(18,hand.replace('#ffffff','#99ccff'),(11,1),'link (blue hand)'))
table.append(c(19,f'<circle cx="16" cy="16" r="13" fill="#ffcc00" {S}/>'+text(16,23,'5',18,'#996600'),(16,16),'pay'))
table.append(c(20,f'<ellipse cx="9" cy="9" rx="7" ry="5" fill="#cccccc" {S}/><path d="M13 12 l15 15" stroke="#000" stroke-width="5" stroke-linecap="round"/><path d="M13 12 l15 15" stroke="#cccccc" stroke-width="3" stroke-linecap="round"/>',(6,6),'scoop'))
table.append(c(21,f'<path d="M20 4 l8 8 l-10 10 l-8 -8 z" fill="#996633" {S}/><path d="M10 14 l8 8 l-6 6 q-6 2 -10 2 q0 -4 2 -10 z" fill="#ff6666" {S}/>',(3,29),'brush'))
table.append(c(22,f'<path d="M8 3 h16 v3 q0 6 -6 10 q6 4 6 10 v3 h-16 v-3 q0 -6 6 -10 q-6 -4 -6 -10 z" fill="#ffffcc" {S}/><path d="M12 26 h8 l-4 -5 z" fill="#cc9933"/>',(16,16),'busy (hourglass)'))
table.append(c(23,f'<path d="M3 2 L3 26 L9 20 L14 30 L18 28 L13 18 L21 18 Z" fill="#ffffff" {S}/>',(3,2),'plain arrow'))
table.append(c(24,f'<path d="M28 3 C18 6 10 16 6 26 L8 28 C14 20 22 10 28 3 Z" fill="#ffcc00" {S}/><path d="M6 26 l-3 4" {S}/>',(3,30),'quill (writing)'))
table.append(c(25,f'<circle cx="16" cy="16" r="12" fill="#ffffff" {S}/><circle cx="16" cy="16" r="10" fill="none" stroke="#cc3333" stroke-width="4"/><path d="M9 9 l14 14" stroke="#cc3333" stroke-width="4"/>',(16,16),'not here'))
with open(os.path.join(ART,'..','dat','cursors.txt'),'w') as f:
    f.write('# The game cursors: slot, picture in game.px8 (32x32, transparent colour 253), hot spot x y.\n')
    f.write('# Slots 1-21 carry the meanings of the world script\'s cursor keywords (ACTION ... BRUSH).\n')
    for n,hot,what in table:
        f.write(f'{n:<3} cur{n:02d} {hot[0]:>2} {hot[1]:>2}   {what}\n')
