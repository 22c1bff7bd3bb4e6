procedure p0
procedure p1
procedure p2
procedure p3
procedure p4
procedure p5
procedure p6
procedure p7
procedure p8
procedure p9
procedure p10
procedure p11
procedure p12
procedure p13
procedure p14
procedure p15
procedure p16
procedure p17
procedure p18
procedure p19
procedure p20
procedure p21
procedure p22
procedure p23
procedure p24
procedure p25
procedure p26
procedure p27
procedure p28
procedure p29
procedure p30
procedure p31
procedure p32
procedure p33
procedure p34
procedure p35
procedure p36
procedure p37
procedure p38
procedure p39
procedure p40
procedure p41
procedure p42
procedure p43
procedure p44
procedure p45
procedure p46
procedure p47
procedure p48
procedure p49
procedure p50
procedure p51
procedure p52
procedure p53
procedure p54
procedure p55
procedure p56
procedure p57
procedure p58
procedure p59
procedure p60
procedure p61
procedure p62
procedure p63
procedure p64
procedure p65
procedure p66
procedure p67
procedure p68
procedure p69
procedure p70
procedure p71
procedure p72
procedure p73
procedure p74
procedure p75
procedure p76
procedure p77
procedure p78
procedure p79
procedure p80
procedure p81
procedure p82
procedure p83
procedure p84
procedure p85
procedure p86
procedure p87
procedure p88
procedure p89
procedure p90
procedure p91
procedure p92
procedure p93
procedure p94
procedure p95
procedure p96
procedure p97
procedure p98
procedure p99
procedure p100
procedure p101
procedure p102
procedure p103
procedure p104
procedure p105
procedure p106
procedure p107
procedure p108
procedure p109
procedure p110
procedure p111
procedure p112
procedure p113
procedure p114
procedure p115
procedure p116
procedure p117
procedure p118
procedure p119
procedure p120
procedure p121
procedure p122
procedure p123
procedure p124
procedure p125
procedure p126
procedure p127
procedure p128
procedure p129
procedure p130
procedure p131
procedure p132
procedure p133
procedure p134
procedure p135
procedure p136
procedure p137
procedure p138
procedure p139
procedure p140
procedure p141
procedure p142
procedure p143
procedure p144
procedure p145
procedure p146
procedure p147
procedure p148
procedure p149
procedure p150
procedure p151
procedure p152
procedure p153
procedure p154
procedure p155
procedure p156
procedure p157
procedure p158
procedure p159
procedure p160
procedure p161
procedure p162
procedure p163
procedure p164
procedure p165
procedure p166
procedure p167
procedure p168
procedure p169
procedure p170
procedure p171
procedure p172
procedure p173
procedure p174
procedure p175
procedure p176
procedure p177
procedure p178
procedure p179
procedure p180
procedure p181
procedure p182
procedure p183
procedure p184
procedure p185
procedure p186
procedure p187
procedure p188
procedure p189
procedure p190
procedure p191
procedure p192
procedure p193
procedure p194
procedure p195
procedure p196
procedure p197
procedure p198
procedure p199
procedure p200
procedure p201
procedure p202
procedure p203
procedure p204
procedure p205
procedure p206
procedure p207
procedure p208
procedure p209
procedure p210
procedure p211
procedure p212
procedure p213
procedure p214
procedure p215
procedure p216
procedure p217
procedure p218
procedure p219
procedure p220
procedure p221
procedure p222
procedure p223
procedure p224
procedure p225
procedure p226
procedure p227
procedure p228
procedure p229
procedure p230
procedure p231
procedure p232
procedure p233
procedure p234
procedure p235
procedure p236
procedure p237
procedure p238
procedure p239
procedure p240
procedure p241
procedure p242
procedure p243
procedure p244
procedure p245
procedure p246
procedure p247
procedure p248
procedure p249
procedure p250
procedure p251
procedure p252
procedure p253
procedure p254
procedure p255
procedure p256
procedure p257
procedure p258
procedure p259
procedure p260
procedure p261
procedure p262
procedure p263
procedure p264
procedure p265
procedure p266
procedure p267
procedure p268
procedure p269
procedure p270
procedure p271
procedure p272
procedure p273
procedure p274
procedure p275
procedure p276
procedure p277
procedure p278
procedure p279
procedure p280
procedure p281
procedure p282
procedure p283
procedure p284
procedure p285
procedure p286
procedure p287
procedure p288
procedure p289
procedure p290
procedure p291
procedure p292
procedure p293
procedure p294
procedure p295
procedure p296
procedure p297
procedure p298
procedure p299
procedure p300
procedure p301
procedure p302
procedure p303
procedure p304
procedure p305
procedure p306
procedure p307
procedure p308
procedure p309
procedure p310
procedure p311
procedure p312
procedure p313
procedure p314
procedure p315
procedure p316
procedure p317
procedure p318
procedure p319
procedure p320
procedure p321
procedure p322
procedure p323
procedure p324
procedure p325
procedure p326
procedure p327
procedure p328
procedure p329
procedure p330
procedure p331
procedure p332
procedure p333
procedure p334
procedure p335
procedure p336
procedure p337
procedure p338
procedure p339
procedure p340
procedure p341
procedure p342
procedure p343
procedure p344
procedure p345
procedure p346
procedure p347
procedure p348
procedure p349
procedure p350
procedure p351
procedure p352
procedure p353
procedure p354
procedure p355
procedure p356
procedure p357
procedure p358
procedure p359
procedure p360
procedure p361
procedure p362
procedure p363
procedure p364
procedure p365
procedure p366
procedure p367
procedure p368
procedure p369
procedure p370
procedure p371
procedure p372
procedure p373
procedure p374
procedure p375
procedure p376
procedure p377
procedure p378
procedure p379
procedure p380
procedure p381
procedure p382
procedure p383
procedure p384
procedure p385
procedure p386
procedure p387
procedure p388
procedure p389
procedure p390
procedure p391
procedure p392
procedure p393
procedure p394
procedure p395
procedure p396
procedure p397
procedure p398
procedure p399
procedure p400
procedure p401
procedure p402
procedure p403
procedure p404
procedure p405
procedure p406
procedure p407
procedure p408
procedure p409
procedure p410
procedure p411
procedure p412
procedure p413
procedure p414
procedure p415
procedure p416
procedure p417
procedure p418
procedure p419
procedure p420
procedure p421
procedure p422
procedure p423
procedure p424
procedure p425
procedure p426
procedure p427
procedure p428
procedure p429
procedure p430
procedure p431
procedure p432
procedure p433
procedure p434
procedure p435
procedure p436
procedure p437
procedure p438
procedure p439
procedure p440
procedure p441
procedure p442
procedure p443
procedure p444
procedure p445
procedure p446
procedure p447
procedure p448
procedure p449
function f0(a number) return number
function f1(a number) return number
function f2(a number) return number
function f3(a number) return number
function f4(a number) return number
function f5(a number) return number
function f6(a number) return number
function f7(a number) return number
function f8(a number) return number
function f9(a number) return number
function f10(a number) return number
function f11(a number) return number
function f12(a number) return number
function f13(a number) return number
function f14(a number) return number
function f15(a number) return number
function f16(a number) return number
function f17(a number) return number
function f18(a number) return number
function f19(a number) return number
function f20(a number) return number
function f21(a number) return number
function f22(a number) return number
function f23(a number) return number
function f24(a number) return number
function f25(a number) return number
function f26(a number) return number
function f27(a number) return number
function f28(a number) return number
function f29(a number) return number
function f30(a number) return number
function f31(a number) return number
function f32(a number) return number
function f33(a number) return number
function f34(a number) return number
function f35(a number) return number
function f36(a number) return number
function f37(a number) return number
function f38(a number) return number
function f39(a number) return number
function f40(a number) return number
function f41(a number) return number
function f42(a number) return number
function f43(a number) return number
function f44(a number) return number
function f45(a number) return number
function f46(a number) return number
function f47(a number) return number
function f48(a number) return number
function f49(a number) return number
function f50(a number) return number
function f51(a number) return number
function f52(a number) return number
function f53(a number) return number
function f54(a number) return number
function f55(a number) return number
function f56(a number) return number
function f57(a number) return number
function f58(a number) return number
function f59(a number) return number
function f60(a number) return number
function f61(a number) return number
function f62(a number) return number
function f63(a number) return number
function f64(a number) return number
function f65(a number) return number
function f66(a number) return number
function f67(a number) return number
function f68(a number) return number
function f69(a number) return number
function f70(a number) return number
function f71(a number) return number
function f72(a number) return number
function f73(a number) return number
function f74(a number) return number
function f75(a number) return number
function f76(a number) return number
function f77(a number) return number
function f78(a number) return number
function f79(a number) return number
function f80(a number) return number
function f81(a number) return number
function f82(a number) return number
function f83(a number) return number
function f84(a number) return number
function f85(a number) return number
function f86(a number) return number
function f87(a number) return number
function f88(a number) return number
function f89(a number) return number
function f90(a number) return number
function f91(a number) return number
function f92(a number) return number
function f93(a number) return number
function f94(a number) return number
function f95(a number) return number
function f96(a number) return number
function f97(a number) return number
function f98(a number) return number
function f99(a number) return number
function f100(a number) return number
function f101(a number) return number
function f102(a number) return number
function f103(a number) return number
function f104(a number) return number
function f105(a number) return number
function f106(a number) return number
function f107(a number) return number
function f108(a number) return number
function f109(a number) return number
function f110(a number) return number
function f111(a number) return number
function f112(a number) return number
function f113(a number) return number
function f114(a number) return number
function f115(a number) return number
function f116(a number) return number
function f117(a number) return number
function f118(a number) return number
function f119(a number) return number
function f120(a number) return number
function f121(a number) return number
function f122(a number) return number
function f123(a number) return number
function f124(a number) return number
function f125(a number) return number
function f126(a number) return number
function f127(a number) return number
function f128(a number) return number
function f129(a number) return number
function f130(a number) return number
function f131(a number) return number
function f132(a number) return number
function f133(a number) return number
function f134(a number) return number
function f135(a number) return number
function f136(a number) return number
function f137(a number) return number
function f138(a number) return number
function f139(a number) return number
function f140(a number) return number
function f141(a number) return number
function f142(a number) return number
function f143(a number) return number
function f144(a number) return number
function f145(a number) return number
function f146(a number) return number
function f147(a number) return number
function f148(a number) return number
function f149(a number) return number
function f150(a number) return number
function f151(a number) return number
function f152(a number) return number
function f153(a number) return number
function f154(a number) return number
function f155(a number) return number
function f156(a number) return number
function f157(a number) return number
function f158(a number) return number
function f159(a number) return number
function f160(a number) return number
function f161(a number) return number
function f162(a number) return number
function f163(a number) return number
function f164(a number) return number
function f165(a number) return number
function f166(a number) return number
function f167(a number) return number
function f168(a number) return number
function f169(a number) return number
function f170(a number) return number
function f171(a number) return number
function f172(a number) return number
function f173(a number) return number
function f174(a number) return number
function f175(a number) return number
function f176(a number) return number
function f177(a number) return number
function f178(a number) return number
function f179(a number) return number
function f180(a number) return number
function f181(a number) return number
function f182(a number) return number
function f183(a number) return number
function f184(a number) return number
function f185(a number) return number
function f186(a number) return number
function f187(a number) return number
function f188(a number) return number
function f189(a number) return number
function f190(a number) return number
function f191(a number) return number
function f192(a number) return number
function f193(a number) return number
function f194(a number) return number
function f195(a number) return number
function f196(a number) return number
function f197(a number) return number
function f198(a number) return number
function f199(a number) return number
function f200(a number) return number
function f201(a number) return number
function f202(a number) return number
function f203(a number) return number
function f204(a number) return number
function f205(a number) return number
function f206(a number) return number
function f207(a number) return number
function f208(a number) return number
function f209(a number) return number
function f210(a number) return number
function f211(a number) return number
function f212(a number) return number
function f213(a number) return number
function f214(a number) return number
function f215(a number) return number
function f216(a number) return number
function f217(a number) return number
function f218(a number) return number
function f219(a number) return number
function f220(a number) return number
function f221(a number) return number
function f222(a number) return number
function f223(a number) return number
function f224(a number) return number
function f225(a number) return number
function f226(a number) return number
function f227(a number) return number
function f228(a number) return number
function f229(a number) return number
function f230(a number) return number
function f231(a number) return number
function f232(a number) return number
function f233(a number) return number
function f234(a number) return number
function f235(a number) return number
function f236(a number) return number
function f237(a number) return number
function f238(a number) return number
function f239(a number) return number
function f240(a number) return number
function f241(a number) return number
function f242(a number) return number
function f243(a number) return number
function f244(a number) return number
function f245(a number) return number
function f246(a number) return number
function f247(a number) return number
function f248(a number) return number
function f249(a number) return number
function f250(a number) return number
function f251(a number) return number
function f252(a number) return number
function f253(a number) return number
function f254(a number) return number
function f255(a number) return number
function f256(a number) return number
function f257(a number) return number
function f258(a number) return number
function f259(a number) return number
function f260(a number) return number
function f261(a number) return number
function f262(a number) return number
function f263(a number) return number
function f264(a number) return number
function f265(a number) return number
function f266(a number) return number
function f267(a number) return number
function f268(a number) return number
function f269(a number) return number
function f270(a number) return number
function f271(a number) return number
function f272(a number) return number
function f273(a number) return number
function f274(a number) return number
function f275(a number) return number
function f276(a number) return number
function f277(a number) return number
function f278(a number) return number
function f279(a number) return number
function f280(a number) return number
function f281(a number) return number
function f282(a number) return number
function f283(a number) return number
function f284(a number) return number
function f285(a number) return number
function f286(a number) return number
function f287(a number) return number
function f288(a number) return number
function f289(a number) return number
function f290(a number) return number
function f291(a number) return number
function f292(a number) return number
function f293(a number) return number
function f294(a number) return number
function f295(a number) return number
function f296(a number) return number
function f297(a number) return number
function f298(a number) return number
function f299(a number) return number
function f300(a number) return number
function f301(a number) return number
function f302(a number) return number
function f303(a number) return number
function f304(a number) return number
function f305(a number) return number
function f306(a number) return number
function f307(a number) return number
function f308(a number) return number
function f309(a number) return number
function f310(a number) return number
function f311(a number) return number
function f312(a number) return number
function f313(a number) return number
function f314(a number) return number
function f315(a number) return number
function f316(a number) return number
function f317(a number) return number
function f318(a number) return number
function f319(a number) return number
function f320(a number) return number
function f321(a number) return number
function f322(a number) return number
function f323(a number) return number
function f324(a number) return number
function f325(a number) return number
function f326(a number) return number
function f327(a number) return number
function f328(a number) return number
function f329(a number) return number
function f330(a number) return number
function f331(a number) return number
function f332(a number) return number
function f333(a number) return number
function f334(a number) return number
function f335(a number) return number
function f336(a number) return number
function f337(a number) return number
function f338(a number) return number
function f339(a number) return number
function f340(a number) return number
function f341(a number) return number
function f342(a number) return number
function f343(a number) return number
function f344(a number) return number
function f345(a number) return number
function f346(a number) return number
function f347(a number) return number
function f348(a number) return number
function f349(a number) return number
function f350(a number) return number
function f351(a number) return number
function f352(a number) return number
function f353(a number) return number
function f354(a number) return number
function f355(a number) return number
function f356(a number) return number
function f357(a number) return number
function f358(a number) return number
function f359(a number) return number
function f360(a number) return number
function f361(a number) return number
function f362(a number) return number
function f363(a number) return number
function f364(a number) return number
function f365(a number) return number
function f366(a number) return number
function f367(a number) return number
function f368(a number) return number
function f369(a number) return number
function f370(a number) return number
function f371(a number) return number
function f372(a number) return number
function f373(a number) return number
function f374(a number) return number
function f375(a number) return number
function f376(a number) return number
function f377(a number) return number
function f378(a number) return number
function f379(a number) return number
function f380(a number) return number
function f381(a number) return number
function f382(a number) return number
function f383(a number) return number
function f384(a number) return number
function f385(a number) return number
function f386(a number) return number
function f387(a number) return number
function f388(a number) return number
function f389(a number) return number
function f390(a number) return number
function f391(a number) return number
function f392(a number) return number
function f393(a number) return number
function f394(a number) return number
function f395(a number) return number
function f396(a number) return number
function f397(a number) return number
function f398(a number) return number
function f399(a number) return number
function f400(a number) return number
function f401(a number) return number
function f402(a number) return number
function f403(a number) return number
function f404(a number) return number
function f405(a number) return number
function f406(a number) return number
function f407(a number) return number
function f408(a number) return number
function f409(a number) return number
function f410(a number) return number
function f411(a number) return number
function f412(a number) return number
function f413(a number) return number
function f414(a number) return number
function f415(a number) return number
function f416(a number) return number
function f417(a number) return number
function f418(a number) return number
function f419(a number) return number
function f420(a number) return number
function f421(a number) return number
function f422(a number) return number
function f423(a number) return number
function f424(a number) return number
function f425(a number) return number
function f426(a number) return number
function f427(a number) return number
function f428(a number) return number
function f429(a number) return number
function f430(a number) return number
function f431(a number) return number
function f432(a number) return number
function f433(a number) return number
function f434(a number) return number
function f435(a number) return number
function f436(a number) return number
function f437(a number) return number
function f438(a number) return number
function f439(a number) return number
function f440(a number) return number
function f441(a number) return number
function f442(a number) return number
function f443(a number) return number
function f444(a number) return number
function f445(a number) return number
function f446(a number) return number
function f447(a number) return number
function f448(a number) return number
function f449(a number) return number
package k0
package k1
package k2
package k3
package k4
package k5
package k6
package k7
package k8
package k9
package k10
package k11
package k12
package k13
package k14
package k15
package k16
package k17
package k18
package k19
package k20
package k21
package k22
package k23
package k24
package k25
package k26
package k27
package k28
package k29
package k30
package k31
package k32
package k33
package k34
package k35
package k36
package k37
package k38
package k39
package k40
package k41
package k42
package k43
package k44
package k45
package k46
package k47
package k48
package k49
package k50
package k51
package k52
package k53
package k54
package k55
package k56
package k57
package k58
package k59
package k60
package k61
package k62
package k63
package k64
package k65
package k66
package k67
package k68
package k69
package k70
package k71
package k72
package k73
package k74
package k75
package k76
package k77
package k78
package k79
package k80
package k81
package k82
package k83
package k84
package k85
package k86
package k87
package k88
package k89
package k90
package k91
package k92
package k93
package k94
package k95
package k96
package k97
package k98
package k99
package k100
package k101
package k102
package k103
package k104
package k105
package k106
package k107
package k108
package k109
package k110
package k111
package k112
package k113
package k114
package k115
package k116
package k117
package k118
package k119
package k120
package k121
package k122
package k123
package k124
package k125
package k126
package k127
package k128
package k129
package k130
package k131
package k132
package k133
package k134
package k135
package k136
package k137
package k138
package k139
package k140
package k141
package k142
package k143
package k144
package k145
package k146
package k147
package k148
package k149
package k150
package k151
package k152
package k153
package k154
package k155
package k156
package k157
package k158
package k159
package k160
package k161
package k162
package k163
package k164
package k165
package k166
package k167
package k168
package k169
package k170
package k171
package k172
package k173
package k174
package k175
package k176
package k177
package k178
package k179
package k180
package k181
package k182
package k183
package k184
package k185
package k186
package k187
package k188
package k189
package k190
package k191
package k192
package k193
package k194
package k195
package k196
package k197
package k198
package k199
package k200
package k201
package k202
package k203
package k204
package k205
package k206
package k207
package k208
package k209
package k210
package k211
package k212
package k213
package k214
package k215
package k216
package k217
package k218
package k219
package k220
package k221
package k222
package k223
package k224
package k225
package k226
package k227
package k228
package k229
package k230
package k231
package k232
package k233
package k234
package k235
package k236
package k237
package k238
package k239
package k240
package k241
package k242
package k243
package k244
package k245
package k246
package k247
package k248
package k249
package k250
package k251
package k252
package k253
package k254
package k255
package k256
package k257
package k258
package k259
package k260
package k261
package k262
package k263
package k264
package k265
package k266
package k267
package k268
package k269
package k270
package k271
package k272
package k273
package k274
package k275
package k276
package k277
package k278
package k279
package k280
package k281
package k282
package k283
package k284
package k285
package k286
package k287
package k288
package k289
package k290
package k291
package k292
package k293
package k294
package k295
package k296
package k297
package k298
package k299
package k300
package k301
package k302
package k303
package k304
package k305
package k306
package k307
package k308
package k309
package k310
package k311
package k312
package k313
package k314
package k315
package k316
package k317
package k318
package k319
package k320
package k321
package k322
package k323
package k324
package k325
package k326
package k327
package k328
package k329
package k330
package k331
package k332
package k333
package k334
package k335
package k336
package k337
package k338
package k339
package k340
package k341
package k342
package k343
package k344
package k345
package k346
package k347
package k348
package k349
package k350
package k351
package k352
package k353
package k354
package k355
package k356
package k357
package k358
package k359
package k360
package k361
package k362
package k363
package k364
package k365
package k366
package k367
package k368
package k369
package k370
package k371
package k372
package k373
package k374
package k375
package k376
package k377
package k378
package k379
package k380
package k381
package k382
package k383
package k384
package k385
package k386
package k387
package k388
package k389
package k390
package k391
package k392
package k393
package k394
package k395
package k396
package k397
package k398
package k399
package k400
package k401
package k402
package k403
package k404
package k405
package k406
package k407
package k408
package k409
package k410
package k411
package k412
package k413
package k414
package k415
package k416
package k417
package k418
package k419
package k420
package k421
package k422
package k423
package k424
package k425
package k426
package k427
package k428
package k429
package k430
package k431
package k432
package k433
package k434
package k435
package k436
package k437
package k438
package k439
package k440
package k441
package k442
package k443
package k444
package k445
package k446
package k447
package k448
package k449
create type t as object (member function m0 return number,
member function m1 return number,
member function m2 return number,
member function m3 return number,
member function m4 return number,
member function m5 return number,
member function m6 return number,
member function m7 return number,
member function m8 return number,
member function m9 return number,
member function m10 return number,
member function m11 return number,
member function m12 return number,
member function m13 return number,
member function m14 return number,
member function m15 return number,
member function m16 return number,
member function m17 return number,
member function m18 return number,
member function m19 return number,
member function m20 return number,
member function m21 return number,
member function m22 return number,
member function m23 return number,
member function m24 return number,
member function m25 return number,
member function m26 return number,
member function m27 return number,
member function m28 return number,
member function m29 return number,
member function m30 return number,
member function m31 return number,
member function m32 return number,
member function m33 return number,
member function m34 return number,
member function m35 return number,
member function m36 return number,
member function m37 return number,
member function m38 return number,
member function m39 return number,
member function m40 return number,
member function m41 return number,
member function m42 return number,
member function m43 return number,
member function m44 return number,
member function m45 return number,
member function m46 return number,
member function m47 return number,
member function m48 return number,
member function m49 return number,
member function m50 return number,
member function m51 return number,
member function m52 return number,
member function m53 return number,
member function m54 return number,
member function m55 return number,
member function m56 return number,
member function m57 return number,
member function m58 return number,
member function m59 return number,
member function m60 return number,
member function m61 return number,
member function m62 return number,
member function m63 return number,
member function m64 return number,
member function m65 return number,
member function m66 return number,
member function m67 return number,
member function m68 return number,
member function m69 return number,
member function m70 return number,
member function m71 return number,
member function m72 return number,
member function m73 return number,
member function m74 return number,
member function m75 return number,
member function m76 return number,
member function m77 return number,
member function m78 return number,
member function m79 return number,
member function m80 return number,
member function m81 return number,
member function m82 return number,
member function m83 return number,
member function m84 return number,
member function m85 return number,
member function m86 return number,
member function m87 return number,
member function m88 return number,
member function m89 return number,
member function m90 return number,
member function m91 return number,
member function m92 return number,
member function m93 return number,
member function m94 return number,
member function m95 return number,
member function m96 return number,
member function m97 return number,
member function m98 return number,
member function m99 return number,
member function m100 return number,
member function m101 return number,
member function m102 return number,
member function m103 return number,
member function m104 return number,
member function m105 return number,
member function m106 return number,
member function m107 return number,
member function m108 return number,
member function m109 return number,
member function m110 return number,
member function m111 return number,
member function m112 return number,
member function m113 return number,
member function m114 return number,
member function m115 return number,
member function m116 return number,
member function m117 return number,
member function m118 return number,
member function m119 return number,
member function m120 return number,
member function m121 return number,
member function m122 return number,
member function m123 return number,
member function m124 return number,
member function m125 return number,
member function m126 return number,
member function m127 return number,
member function m128 return number,
member function m129 return number,
member function m130 return number,
member function m131 return number,
member function m132 return number,
member function m133 return number,
member function m134 return number,
member function m135 return number,
member function m136 return number,
member function m137 return number,
member function m138 return number,
member function m139 return number,
member function m140 return number,
member function m141 return number,
member function m142 return number,
member function m143 return number,
member function m144 return number,
member function m145 return number,
member function m146 return number,
member function m147 return number,
member function m148 return number,
member function m149 return number,
member function m150 return number,
member function m151 return number,
member function m152 return number,
member function m153 return number,
member function m154 return number,
member function m155 return number,
member function m156 return number,
member function m157 return number,
member function m158 return number,
member function m159 return number,
member function m160 return number,
member function m161 return number,
member function m162 return number,
member function m163 return number,
member function m164 return number,
member function m165 return number,
member function m166 return number,
member function m167 return number,
member function m168 return number,
member function m169 return number,
member function m170 return number,
member function m171 return number,
member function m172 return number,
member function m173 return number,
member function m174 return number,
member function m175 return number,
member function m176 return number,
member function m177 return number,
member function m178 return number,
member function m179 return number,
member function m180 return number,
member function m181 return number,
member function m182 return number,
member function m183 return number,
member function m184 return number,
member function m185 return number,
member function m186 return number,
member function m187 return number,
member function m188 return number,
member function m189 return number,
member function m190 return number,
member function m191 return number,
member function m192 return number,
member function m193 return number,
member function m194 return number,
member function m195 return number,
member function m196 return number,
member function m197 return number,
member function m198 return number,
member function m199 return number,
member function m200 return number,
member function m201 return number,
member function m202 return number,
member function m203 return number,
member function m204 return number,
member function m205 return number,
member function m206 return number,
member function m207 return number,
member function m208 return number,
member function m209 return number,
member function m210 return number,
member function m211 return number,
member function m212 return number,
member function m213 return number,
member function m214 return number,
member function m215 return number,
member function m216 return number,
member function m217 return number,
member function m218 return number,
member function m219 return number,
member function m220 return number,
member function m221 return number,
member function m222 return number,
member function m223 return number,
member function m224 return number,
member function m225 return number,
member function m226 return number,
member function m227 return number,
member function m228 return number,
member function m229 return number,
member function m230 return number,
member function m231 return number,
member function m232 return number,
member function m233 return number,
member function m234 return number,
member function m235 return number,
member function m236 return number,
member function m237 return number,
member function m238 return number,
member function m239 return number,
member function m240 return number,
member function m241 return number,
member function m242 return number,
member function m243 return number,
member function m244 return number,
member function m245 return number,
member function m246 return number,
member function m247 return number,
member function m248 return number,
member function m249 return number,
member function m250 return number,
member function m251 return number,
member function m252 return number,
member function m253 return number,
member function m254 return number,
member function m255 return number,
member function m256 return number,
member function m257 return number,
member function m258 return number,
member function m259 return number,
member function m260 return number,
member function m261 return number,
member function m262 return number,
member function m263 return number,
member function m264 return number,
member function m265 return number,
member function m266 return number,
member function m267 return number,
member function m268 return number,
member function m269 return number,
member function m270 return number,
member function m271 return number,
member function m272 return number,
member function m273 return number,
member function m274 return number,
member function m275 return number,
member function m276 return number,
member function m277 return number,
member function m278 return number,
member function m279 return number,
member function m280 return number,
member function m281 return number,
member function m282 return number,
member function m283 return number,
member function m284 return number,
member function m285 return number,
member function m286 return number,
member function m287 return number,
member function m288 return number,
member function m289 return number,
member function m290 return number,
member function m291 return number,
member function m292 return number,
member function m293 return number,
member function m294 return number,
member function m295 return number,
member function m296 return number,
member function m297 return number,
member function m298 return number,
member function m299 return number,
member function m300 return number,
member function m301 return number,
member function m302 return number,
member function m303 return number,
member function m304 return number,
member function m305 return number,
member function m306 return number,
member function m307 return number,
member function m308 return number,
member function m309 return number,
member function m310 return number,
member function m311 return number,
member function m312 return number,
member function m313 return number,
member function m314 return number,
member function m315 return number,
member function m316 return number,
member function m317 return number,
member function m318 return number,
member function m319 return number,
member function m320 return number,
member function m321 return number,
member function m322 return number,
member function m323 return number,
member function m324 return number,
member function m325 return number,
member function m326 return number,
member function m327 return number,
member function m328 return number,
member function m329 return number,
member function m330 return number,
member function m331 return number,
member function m332 return number,
member function m333 return number,
member function m334 return number,
member function m335 return number,
member function m336 return number,
member function m337 return number,
member function m338 return number,
member function m339 return number,
member function m340 return number,
member function m341 return number,
member function m342 return number,
member function m343 return number,
member function m344 return number,
member function m345 return number,
member function m346 return number,
member function m347 return number,
member function m348 return number,
member function m349 return number,
member function m350 return number,
member function m351 return number,
member function m352 return number,
member function m353 return number,
member function m354 return number,
member function m355 return number,
member function m356 return number,
member function m357 return number,
member function m358 return number,
member function m359 return number,
member function m360 return number,
member function m361 return number,
member function m362 return number,
member function m363 return number,
member function m364 return number,
member function m365 return number,
member function m366 return number,
member function m367 return number,
member function m368 return number,
member function m369 return number,
member function m370 return number,
member function m371 return number,
member function m372 return number,
member function m373 return number,
member function m374 return number,
member function m375 return number,
member function m376 return number,
member function m377 return number,
member function m378 return number,
member function m379 return number,
member function m380 return number,
member function m381 return number,
member function m382 return number,
member function m383 return number,
member function m384 return number,
member function m385 return number,
member function m386 return number,
member function m387 return number,
member function m388 return number,
member function m389 return number,
member function m390 return number,
member function m391 return number,
member function m392 return number,
member function m393 return number,
member function m394 return number,
member function m395 return number,
member function m396 return number,
member function m397 return number,
member function m398 return number,
member function m399 return number,
member function m400 return number,
member function m401 return number,
member function m402 return number,
member function m403 return number,
member function m404 return number,
member function m405 return number,
member function m406 return number,
member function m407 return number,
member function m408 return number,
member function m409 return number,
member function m410 return number,
member function m411 return number,
member function m412 return number,
member function m413 return number,
member function m414 return number,
member function m415 return number,
member function m416 return number,
member function m417 return number,
member function m418 return number,
member function m419 return number,
member function m420 return number,
member function m421 return number,
member function m422 return number,
member function m423 return number,
member function m424 return number,
member function m425 return number,
member function m426 return number,
member function m427 return number,
member function m428 return number,
member function m429 return number,
member function m430 return number,
member function m431 return number,
member function m432 return number,
member function m433 return number,
member function m434 return number,
member function m435 return number,
member function m436 return number,
member function m437 return number,
member function m438 return number,
member function m439 return number,
member function m440 return number,
member function m441 return number,
member function m442 return number,
member function m443 return number,
member function m444 return number,
member function m445 return number,
member function m446 return number,
member function m447 return number,
member function m448 return number,
member function m449 return number);
/
create trigger t0
create trigger t1
create trigger t2
create trigger t3
create trigger t4
create trigger t5
create trigger t6
create trigger t7
create trigger t8
create trigger t9
create trigger t10
create trigger t11
create trigger t12
create trigger t13
create trigger t14
create trigger t15
create trigger t16
create trigger t17
create trigger t18
create trigger t19
create trigger t20
create trigger t21
create trigger t22
create trigger t23
create trigger t24
create trigger t25
create trigger t26
create trigger t27
create trigger t28
create trigger t29
create trigger t30
create trigger t31
create trigger t32
create trigger t33
create trigger t34
create trigger t35
create trigger t36
create trigger t37
create trigger t38
create trigger t39
create trigger t40
create trigger t41
create trigger t42
create trigger t43
create trigger t44
create trigger t45
create trigger t46
create trigger t47
create trigger t48
create trigger t49
create trigger t50
create trigger t51
create trigger t52
create trigger t53
create trigger t54
create trigger t55
create trigger t56
create trigger t57
create trigger t58
create trigger t59
create trigger t60
create trigger t61
create trigger t62
create trigger t63
create trigger t64
create trigger t65
create trigger t66
create trigger t67
create trigger t68
create trigger t69
create trigger t70
create trigger t71
create trigger t72
create trigger t73
create trigger t74
create trigger t75
create trigger t76
create trigger t77
create trigger t78
create trigger t79
create trigger t80
create trigger t81
create trigger t82
create trigger t83
create trigger t84
create trigger t85
create trigger t86
create trigger t87
create trigger t88
create trigger t89
create trigger t90
create trigger t91
create trigger t92
create trigger t93
create trigger t94
create trigger t95
create trigger t96
create trigger t97
create trigger t98
create trigger t99
create trigger t100
create trigger t101
create trigger t102
create trigger t103
create trigger t104
create trigger t105
create trigger t106
create trigger t107
create trigger t108
create trigger t109
create trigger t110
create trigger t111
create trigger t112
create trigger t113
create trigger t114
create trigger t115
create trigger t116
create trigger t117
create trigger t118
create trigger t119
create trigger t120
create trigger t121
create trigger t122
create trigger t123
create trigger t124
create trigger t125
create trigger t126
create trigger t127
create trigger t128
create trigger t129
create trigger t130
create trigger t131
create trigger t132
create trigger t133
create trigger t134
create trigger t135
create trigger t136
create trigger t137
create trigger t138
create trigger t139
create trigger t140
create trigger t141
create trigger t142
create trigger t143
create trigger t144
create trigger t145
create trigger t146
create trigger t147
create trigger t148
create trigger t149
create trigger t150
create trigger t151
create trigger t152
create trigger t153
create trigger t154
create trigger t155
create trigger t156
create trigger t157
create trigger t158
create trigger t159
create trigger t160
create trigger t161
create trigger t162
create trigger t163
create trigger t164
create trigger t165
create trigger t166
create trigger t167
create trigger t168
create trigger t169
create trigger t170
create trigger t171
create trigger t172
create trigger t173
create trigger t174
create trigger t175
create trigger t176
create trigger t177
create trigger t178
create trigger t179
create trigger t180
create trigger t181
create trigger t182
create trigger t183
create trigger t184
create trigger t185
create trigger t186
create trigger t187
create trigger t188
create trigger t189
create trigger t190
create trigger t191
create trigger t192
create trigger t193
create trigger t194
create trigger t195
create trigger t196
create trigger t197
create trigger t198
create trigger t199
create trigger t200
create trigger t201
create trigger t202
create trigger t203
create trigger t204
create trigger t205
create trigger t206
create trigger t207
create trigger t208
create trigger t209
create trigger t210
create trigger t211
create trigger t212
create trigger t213
create trigger t214
create trigger t215
create trigger t216
create trigger t217
create trigger t218
create trigger t219
create trigger t220
create trigger t221
create trigger t222
create trigger t223
create trigger t224
create trigger t225
create trigger t226
create trigger t227
create trigger t228
create trigger t229
create trigger t230
create trigger t231
create trigger t232
create trigger t233
create trigger t234
create trigger t235
create trigger t236
create trigger t237
create trigger t238
create trigger t239
create trigger t240
create trigger t241
create trigger t242
create trigger t243
create trigger t244
create trigger t245
create trigger t246
create trigger t247
create trigger t248
create trigger t249
create trigger t250
create trigger t251
create trigger t252
create trigger t253
create trigger t254
create trigger t255
create trigger t256
create trigger t257
create trigger t258
create trigger t259
create trigger t260
create trigger t261
create trigger t262
create trigger t263
create trigger t264
create trigger t265
create trigger t266
create trigger t267
create trigger t268
create trigger t269
create trigger t270
create trigger t271
create trigger t272
create trigger t273
create trigger t274
create trigger t275
create trigger t276
create trigger t277
create trigger t278
create trigger t279
create trigger t280
create trigger t281
create trigger t282
create trigger t283
create trigger t284
create trigger t285
create trigger t286
create trigger t287
create trigger t288
create trigger t289
create trigger t290
create trigger t291
create trigger t292
create trigger t293
create trigger t294
create trigger t295
create trigger t296
create trigger t297
create trigger t298
create trigger t299
create trigger t300
create trigger t301
create trigger t302
create trigger t303
create trigger t304
create trigger t305
create trigger t306
create trigger t307
create trigger t308
create trigger t309
create trigger t310
create trigger t311
create trigger t312
create trigger t313
create trigger t314
create trigger t315
create trigger t316
create trigger t317
create trigger t318
create trigger t319
create trigger t320
create trigger t321
create trigger t322
create trigger t323
create trigger t324
create trigger t325
create trigger t326
create trigger t327
create trigger t328
create trigger t329
create trigger t330
create trigger t331
create trigger t332
create trigger t333
create trigger t334
create trigger t335
create trigger t336
create trigger t337
create trigger t338
create trigger t339
create trigger t340
create trigger t341
create trigger t342
create trigger t343
create trigger t344
create trigger t345
create trigger t346
create trigger t347
create trigger t348
create trigger t349
create trigger t350
create trigger t351
create trigger t352
create trigger t353
create trigger t354
create trigger t355
create trigger t356
create trigger t357
create trigger t358
create trigger t359
create trigger t360
create trigger t361
create trigger t362
create trigger t363
create trigger t364
create trigger t365
create trigger t366
create trigger t367
create trigger t368
create trigger t369
create trigger t370
create trigger t371
create trigger t372
create trigger t373
create trigger t374
create trigger t375
create trigger t376
create trigger t377
create trigger t378
create trigger t379
create trigger t380
create trigger t381
create trigger t382
create trigger t383
create trigger t384
create trigger t385
create trigger t386
create trigger t387
create trigger t388
create trigger t389
create trigger t390
create trigger t391
create trigger t392
create trigger t393
create trigger t394
create trigger t395
create trigger t396
create trigger t397
create trigger t398
create trigger t399
create trigger t400
create trigger t401
create trigger t402
create trigger t403
create trigger t404
create trigger t405
create trigger t406
create trigger t407
create trigger t408
create trigger t409
create trigger t410
create trigger t411
create trigger t412
create trigger t413
create trigger t414
create trigger t415
create trigger t416
create trigger t417
create trigger t418
create trigger t419
create trigger t420
create trigger t421
create trigger t422
create trigger t423
create trigger t424
create trigger t425
create trigger t426
create trigger t427
create trigger t428
create trigger t429
create trigger t430
create trigger t431
create trigger t432
create trigger t433
create trigger t434
create trigger t435
create trigger t436
create trigger t437
create trigger t438
create trigger t439
create trigger t440
create trigger t441
create trigger t442
create trigger t443
create trigger t444
create trigger t445
create trigger t446
create trigger t447
create trigger t448
create trigger t449
